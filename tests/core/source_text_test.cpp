// The compiler texts' bytes checked against a plain reading of where each
// pixel goes, over random pictures; the texts themselves are golden files.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/formats/pack_pixels.h"
#include "core/formats/source_text/writer.h"

namespace pictavo {
namespace {

TEST(SourceSymbol, KeepsAnIdentifierAndMendsTheFileName) {
  const struct {
    const char* name;
    const char* file;
    const char* symbol;
  } cases[] = {
      {"logo", "x", "logo"},
      {"", "logo", "logo"},
      {"diagonal rows", "diagonal", "diagonal"},
      {"caf\xE9", "caf\xE9", "caf_"},
      {"", "2nd-frame", "_2nd_frame"},
      {"int", "int", "int_"},
      {"", "", "picture"},
      {"_under", "x", "_under"},
  };
  for (const auto& c : cases) EXPECT_EQ(SourceSymbol(c.name, c.file), c.symbol) << c.name;
  EXPECT_FALSE(IsCIdentifier("class"));  // a C++ keyword: the header is also C++
  EXPECT_FALSE(IsCIdentifier("a b"));
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
