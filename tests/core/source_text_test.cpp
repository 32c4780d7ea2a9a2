// The compiler texts' bytes checked against a plain reading of where each
// pixel goes, over random pictures; the texts themselves are golden files.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/formats/pack_pixels.h"
#include "core/formats/source_text/symbol.h"
#include "core/formats/source_text/writer.h"

namespace pictavo {
namespace {

// The rows of the table in docs/formats.md, and the names C, C++ and
// <stdint.h> reserve that the issue met.
TEST(SourceSymbol, KeepsAnIdentifierAndMendsWhatIsReserved) {
  const struct {
    const char* name;
    const char* file;
    const char* symbol;
  } cases[] = {
      {"logo", "x", "logo"},
      {"", "logo", "logo"},
      {"diagonal rows", "diagonal", "diagonal"},
      {"caf\xE9", "caf\xC3\xA9", "caf"},  // a Latin-1 name, a UTF-8 file name
      {"", "\xC3\xA9", "picture"},
      {"", "0x01-1", "picture_0x01_1"},
      {"", "", "picture"},
      {"int", "x", "int_picture"},
      {"main", "x", "main_picture"},
      {"std", "x", "std_picture"},
      {"uint8_t", "x", "uint8_t_picture"},
      {"INT8_MAX", "x", "INT8_MAX_picture"},
      {"SIZE_MAX", "x", "SIZE_MAX_picture"},
      {"INT8_C", "x", "INT8_C_picture"},
      {"INTMAX_C", "x", "INTMAX_C_picture"},
      {"INT8", "x", "INT8_picture"},    // INT8_WIDTH
      {"uchar", "x", "uchar_picture"},  // UCHAR_WIDTH
      {"char8_t", "x", "char8_t_picture"},
      {"linux", "x", "linux_picture"},
      {"_Bool", "x", "Bool_picture"},  // BOOL_WIDTH
      {"__STDC__", "x", "STDC"},
      {"_int", "x", "int_picture"},
      {"a__b", "x", "a_b"},
      {"logo_", "x", "logo"},
      {"integer", "x", "integer"},
      {"uint8", "x", "uint8_picture"},  // UINT8_WIDTH
  };
  for (const auto& c : cases) EXPECT_EQ(SourceSymbol(c.name, c.file), c.symbol) << c.name;
}

// Whatever the name, the symbol is an identifier nothing reserves, and
// mending it again changes nothing.
TEST(SourceSymbol, AlwaysAnIdentifierNothingReserves) {
  const std::string pieces[] = {"_",    "__",       "a",    "Z",   "9",     "-",
                                " ",    "\xC3\xA9", "\xE9", "int", "main",  "uint8_t",
                                "INT8", "_MAX",     "_t",   "std", "linux", "x"};
  std::mt19937 random(31);
  for (int round = 0; round < 2000; ++round) {
    std::string name;
    const int count = std::uniform_int_distribution(0, 4)(random);
    for (int i = 0; i < count; ++i) {
      name += pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random)];
    }
    const std::string symbol = SourceSymbol(name, name);
    EXPECT_TRUE(IsCIdentifier(symbol)) << name << " -> " << symbol;
    EXPECT_FALSE(ReservedReason(symbol))
        << name << " -> " << symbol << ": " << *ReservedReason(symbol);
    EXPECT_EQ(MendedSymbol(symbol), symbol) << name;
  }
}

TEST(SourceSymbol, SaysWhyANameIsNoIdentifierOrReserved) {
  const std::pair<const char*, const char*> not_identifiers[] = {
      {"9bad-name", "starts with a digit"},
      {"bad-name", "holds \"-\""},
      {"caf\xC3\xA9", "holds \"\xC3\xA9\""},
      {"", "is empty"},
  };
  for (const auto& [name, why] : not_identifiers) EXPECT_EQ(NotIdentifierReason(name), why);
  const std::pair<const char*, const char*> reserved[] = {
      {"int", "is a keyword of C or C++"},
      {"_Atomic", "is a keyword of C or C++"},
      {"_x", "starts with \"_\", reserved in C and C++"},
      {"a__b", "holds \"__\", reserved in C++"},
      {"main", "is the name of a program's entry point"},
      {"std2", "is a namespace C++ reserves"},
      {"int_fast8_t", "is a type name C reserves for <stdint.h>"},
      {"UINTPTR_MAX", "is a macro of <stdint.h>"},
      {"unix", "is a macro compilers predefine"},
      {"INT8", "would make INT8_WIDTH, which is a macro of <stdint.h>"},
      {"schar", "would make SCHAR_WIDTH, which is a macro of <limits.h>"},
      {"x_", "would make PICTAVO_X__H, which holds \"__\", reserved in C++"},
  };
  for (const auto& [name, why] : reserved) EXPECT_EQ(ReservedReason(name), why) << name;
}

// Bit `bit` of the value a pixel packs to at `depth`.
int Bit(const Picture& p, int x, int y, int depth, int bit) {
  return (PackedValue(p.Cells.At(x, y), depth) >> bit) & 1;
}

TEST(SourceTextBytes, PutEveryPixelWhereTheOptionsSay) {
  std::mt19937 random(22);
  for (int round = 0; round < 200; ++round) {
    Picture p;
    p.Width = std::uniform_int_distribution(1, 20)(random);
    p.Height = std::uniform_int_distribution(1, 20)(random);
    for (int y = 1; y <= p.Height; ++y)
      for (int x = 1; x <= p.Width; ++x)
        p.Cells.At(x, y) = static_cast<PixelCode>(std::uniform_int_distribution(0, 4)(random));
    const CodeGridView view = ViewOf(p);
    for (const int depth : {1, 2, 4}) {
      for (const bool align : {false, true}) {
        const SourceTextOptions lsb{SourceFormat::C,  depth, align, BitOrder::Lsb,
                                    ByteLayout::Rows, "p"};
        SourceTextOptions msb = lsb;
        msb.Order = BitOrder::Msb;
        const std::vector<std::uint8_t> low = SourceTextBytes(view, lsb);
        const std::vector<std::uint8_t> high = SourceTextBytes(view, msb);
        ASSERT_EQ(low, PackPixels(view, depth, align));
        ASSERT_EQ(high.size(), low.size());
        // Pixel n of the stream: slot n % P of byte n / P, its bits from the
        // low end with lsb, the same field counted from the high end with msb.
        const int per_byte = 8 / depth;
        int n = 0;
        for (int y = 1; y <= p.Height; ++y) {
          for (int x = 1; x <= p.Width; ++x, ++n) {
            for (int b = 0; b < depth; ++b) {
              const int slot = n % per_byte;
              const auto byte = static_cast<std::size_t>(n / per_byte);
              ASSERT_EQ((high[byte] >> ((per_byte - 1 - slot) * depth + b)) & 1,
                        Bit(p, x, y, depth, b));
            }
          }
          if (align && n % per_byte != 0) n += per_byte - n % per_byte;
        }
      }
    }
    for (const BitOrder order : {BitOrder::Lsb, BitOrder::Msb}) {
      const std::vector<std::uint8_t> pages =
          SourceTextBytes(view, {SourceFormat::Gas, 1, false, order, ByteLayout::Pages, "p"});
      ASSERT_EQ(pages.size(), static_cast<std::size_t>((p.Height + 7) / 8 * p.Width));
      for (std::size_t i = 0; i < pages.size(); ++i) {
        for (int bit = 0; bit < 8; ++bit) {
          const int x = static_cast<int>(i) % p.Width + 1;
          const int y = static_cast<int>(i) / p.Width * 8 + bit + 1;
          const int want = y <= p.Height ? Bit(p, x, y, 1, 0) : 0;
          ASSERT_EQ((pages[i] >> (order == BitOrder::Lsb ? bit : 7 - bit)) & 1, want);
        }
      }
    }
    // X bitmap: rows of whole bytes, 1 where the pixel packs to 0, spare bits 0.
    const std::vector<std::uint8_t> xbm =
        SourceTextBytes(view, {SourceFormat::Xbm, 1, false, BitOrder::Lsb, ByteLayout::Rows, "p"});
    const int row_bytes = (p.Width + 7) / 8;
    ASSERT_EQ(xbm.size(), static_cast<std::size_t>(row_bytes * p.Height));
    for (int y = 1; y <= p.Height; ++y) {
      for (int x = 1; x <= row_bytes * 8; ++x) {
        const int got =
            (xbm[static_cast<std::size_t>((y - 1) * row_bytes + (x - 1) / 8)] >> ((x - 1) % 8)) & 1;
        ASSERT_EQ(got, x <= p.Width ? 1 - Bit(p, x, y, 1, 0) : 0);
      }
    }
  }
}

// The first-byte map agrees with the bytes: a lone pixel of each code in a
// Black picture sets exactly the mapped bits its value has.
TEST(FirstByteBits, NameThePixelsThatFillTheFirstByte) {
  using enum SourceFormat;
  const SourceTextOptions cases[] = {
      {C, 1, false, BitOrder::Lsb, ByteLayout::Rows, "p"},
      {C, 1, true, BitOrder::Msb, ByteLayout::Rows, "p"},
      {C, 2, false, BitOrder::Msb, ByteLayout::Rows, "p"},
      {Gas, 4, true, BitOrder::Lsb, ByteLayout::Rows, "p"},
      {Gas, 8, false, BitOrder::Lsb, ByteLayout::Rows, "p"},
      {C, 1, false, BitOrder::Lsb, ByteLayout::Pages, "p"},
      {Gas, 1, false, BitOrder::Msb, ByteLayout::Pages, "p"},
      {Xbm, 1, false, BitOrder::Lsb, ByteLayout::Rows, "p"},
  };
  for (const SourceTextOptions& options : cases) {
    for (const auto& [w, h] : {std::pair{3, 2}, std::pair{10, 13}}) {
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          for (const PixelCode code : {PixelCode::Gray33, PixelCode::Transparent}) {
            Picture p;
            p.Width = w;
            p.Height = h;
            p.Cells.Fill(PixelCode::Black);
            p.Cells.At(x + 1, y + 1) = code;
            const std::uint8_t first = SourceTextBytes(ViewOf(p), options)[0];
            const bool xbm = options.Format == Xbm;
            const int depth = xbm ? 1 : options.Bpp;
            const int value = depth == 8 ? ToInt(code) : PackedValue(code, depth);
            const auto map = FirstByteBits(ViewOf(p), options);
            for (int bit = 0; bit < 8; ++bit) {
              const BitSource& s = map[static_cast<std::size_t>(bit)];
              const int mine = s.used && s.x == x && s.y == y ? (value >> s.value_bit) & 1 : 0;
              // An X bitmap bit is 1 for black: every other pixel's bit is 1.
              const int want = !xbm ? mine : s.used ? 1 - mine : 0;
              ASSERT_EQ((first >> bit) & 1, want) << "bit " << bit << " pixel " << x << "," << y;
            }
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace pictavo
