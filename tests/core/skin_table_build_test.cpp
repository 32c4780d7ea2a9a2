// Random skins written as tables and built by the tools they are written
// for: gcc and g++ (C99 and C++17, every warning an error, each header
// included twice) and GNU as. The bytes the programs and objects hold must be
// every frame packed as a picture of the table's depth is, with the index and
// lookup laid out as docs/formats.md gives them; the tables read back into
// the skin. Without a tool the case is skipped and says which is missing.
#include <gtest/gtest.h>

#include <bit>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "core/formats/skin_file.h"
#include "core/formats/source_text/skin_table.h"
#include "core/formats/source_text/writer.h"
#include "core/model/picture.h"
#include "temp_folder.h"

#include <unistd.h>

namespace pictavo {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using testing::TempFolder;

std::string Tool(const std::string& name) {
  const char* path = std::getenv("PATH");
  const std::string dirs = path != nullptr ? path : "";
  for (std::size_t start = 0; start <= dirs.size();) {
    const std::size_t end = std::min(dirs.find(':', start), dirs.size());
    const fs::path candidate = fs::path(dirs.substr(start, end - start)) / name;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
    start = end + 1;
  }
  return {};
}

bool RunIn(const fs::path& dir, const std::string& command) {
  return std::system(("cd '" + dir.string() + "' && " + command).c_str()) == 0;
}

Bytes ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

void AppendLe(Bytes& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// Every depth, 1 to 8 frames, sizes whose frames fill whole bytes, any code;
// IDs may repeat, as in a skin.
Skin RandomSkin(std::mt19937& random) {
  Skin skin;
  const int icons = 4 + static_cast<int>(random() % 4);
  for (int i = 0; i < icons; ++i) {
    TSkinIcon icon;
    icon.IconID = static_cast<int>(random() % 255);
    icon.BPP = 1 << (i % 4);
    do {
      icon.Width = 1 + static_cast<int>(random() % 23);
      icon.Height = 1 + static_cast<int>(random() % 19);
    } while (!PacksIntoBytes(icon.Width, icon.Height, icon.BPP));
    icon.SubIcons = 1 + static_cast<int>(random() % 8);
    for (std::size_t k = 0; k < icon.ExpectedDataSize(); ++k) {
      icon.Data.push_back(static_cast<std::uint8_t>(random() % 5));
    }
    skin.Append(std::move(icon));
  }
  return skin;
}

struct Table {
  std::string symbol;
  SkinTableOptions options;
  Skin skin;
  std::string c, gas;
  Bytes bits, icons, lookup;  // as the docs lay them out, little-endian
};

// The frame's codes as a skin file keeps them at its own depth, or as they
// are when every icon goes to one depth, packed as a picture's text is.
Bytes ReferenceFrame(const TSkinIcon& icon, int frame, const SkinTableOptions& o) {
  PictureCells cells;
  for (int y = 0; y < icon.Height; ++y) {
    for (int x = 0; x < icon.Width; ++x) {
      const std::uint8_t code = icon.Data[icon.DataIndex(frame, x, y)];
      cells.At(x + 1, y + 1) = ToPixelCode(o.Depth == 0 ? StoredCode(code, icon.BPP) : code);
    }
  }
  SourceTextOptions packing;
  packing.Bpp = o.Depth == 0 ? icon.BPP : o.Depth;
  packing.Align = o.Align;
  packing.Order = o.Order;
  packing.Layout = o.Layout;
  return SourceTextBytes(CodeGridView(cells, icon.Width, icon.Height), packing);
}

std::vector<Table> MakeTables() {
  // Each icon at its own depth as the skin keeps it, then every packing of
  // one depth; the lookup on every other one.
  struct Packing {
    int depth;
    bool align;
    BitOrder order;
    ByteLayout layout;
  };
  const Packing packings[] = {
      {0, false, BitOrder::Lsb, ByteLayout::Rows},  {0, true, BitOrder::Msb, ByteLayout::Rows},
      {1, false, BitOrder::Lsb, ByteLayout::Pages}, {1, true, BitOrder::Msb, ByteLayout::Rows},
      {2, true, BitOrder::Lsb, ByteLayout::Rows},   {4, false, BitOrder::Msb, ByteLayout::Rows},
      {8, false, BitOrder::Lsb, ByteLayout::Rows},
  };
  std::vector<Table> tables;
  std::mt19937 random(20260);
  for (const Packing& p : packings) {
    Table t;
    t.symbol = "t" + std::to_string(tables.size());
    t.skin = RandomSkin(random);
    t.options.Depth = p.depth;
    t.options.Align = p.align;
    t.options.Order = p.order;
    t.options.Layout = p.layout;
    t.options.Lookup = tables.size() % 2 == 0;
    t.options.Symbol = t.symbol;
    t.lookup.assign(256, 0xFF);
    for (int i = 0; i < t.skin.Count(); ++i) {
      const TSkinIcon& icon = t.skin.At(i);
      const std::size_t offset = t.bits.size();
      Bytes frame;
      for (int f = 0; f < icon.SubIcons; ++f) {
        frame = ReferenceFrame(icon, f, t.options);
        t.bits.insert(t.bits.end(), frame.begin(), frame.end());
      }
      for (const int field :
           {icon.IconID, icon.Width, icon.Height, t.options.Depth == 0 ? icon.BPP : t.options.Depth,
            icon.SubIcons, 0}) {
        t.icons.push_back(static_cast<std::uint8_t>(field));
      }
      AppendLe(t.icons, static_cast<std::uint32_t>(frame.size()), 2);
      AppendLe(t.icons, static_cast<std::uint32_t>(offset), 4);
      if (t.lookup[icon.IconID] == 0xFF) t.lookup[icon.IconID] = static_cast<std::uint8_t>(i);
    }
    if (!t.options.Lookup) t.lookup.clear();
    t.options.Format = SourceFormat::C;
    t.c = WriteSkinTable(t.skin, "random", t.options).value_or("");
    t.options.Format = SourceFormat::Gas;
    t.gas = WriteSkinTable(t.skin, "random", t.options).value_or("");
    tables.push_back(std::move(t));
  }
  return tables;
}

// Made once: every test reads the same tables.
const std::vector<Table>& RandomTables() {
  static const std::vector<Table> tables = MakeTables();
  return tables;
}

Bytes Cat(std::initializer_list<const Bytes*> parts) {
  Bytes out;
  for (const Bytes* part : parts) out.insert(out.end(), part->begin(), part->end());
  return out;
}

TEST(SkinTableBuild, FirstPackingIsTheSkinStreamsPixels) {
  const Table t = RandomTables().front();
  const Bytes stream = BuildSkinStream(t.skin).value();
  Bytes pixels;
  std::size_t at = 0;
  for (int i = 0; i < t.skin.Count(); ++i) {
    const std::size_t size = PackedIconSize(t.skin.At(i));
    pixels.insert(pixels.end(), stream.begin() + static_cast<long>(at + 5),
                  stream.begin() + static_cast<long>(at + 5 + size));
    at += 5 + size;
  }
  EXPECT_EQ(t.bits, pixels);
}

TEST(SkinTableBuild, TablesAndSkinBytesReadBackIntoTheSkin) {
  for (const Table& t : RandomTables()) {
    for (const std::string* text : {&t.c, &t.gas}) {
      const auto read = ReadSkinTable(*text);
      ASSERT_TRUE(read.has_value()) << t.symbol << ": " << read.error().message;
      EXPECT_EQ(read->name, "random");
      // A table of one depth is the skin at that depth, not the skin itself.
      if (t.options.Depth == 0) {
        EXPECT_EQ(BuildSkinStream(read->skin).value(), BuildSkinStream(t.skin).value()) << t.symbol;
        continue;
      }
      ASSERT_EQ(read->skin.Count(), t.skin.Count());
      for (int i = 0; i < t.skin.Count(); ++i) {
        EXPECT_EQ(read->skin.At(i).BPP, t.options.Depth);
        for (int f = 0; f < t.skin.At(i).SubIcons; ++f) {
          EXPECT_EQ(ReferenceFrame(read->skin.At(i), f, t.options),
                    ReferenceFrame(t.skin.At(i), f, t.options));
        }
      }
    }
    const Bytes file = WriteSkinFile(t.skin, "random").value();
    for (const SourceFormat format : {SourceFormat::C, SourceFormat::Gas}) {
      const auto read = ReadSkinTable(WriteSkinBytesText(file, "skin", format));
      ASSERT_TRUE(read.has_value()) << read.error().message;
      EXPECT_EQ(WriteSkinFile(read->skin, read->name).value(), file);
    }
  }
}

TEST(SkinTableBuild, CompilesAsC99AndCpp17IntoTheReferenceBytes) {
  if (Tool("gcc").empty()) GTEST_SKIP() << "gcc is not installed";
  if (std::endian::native != std::endian::little)
    GTEST_SKIP() << "the expected index is little-endian";
  const TempFolder dir;
  std::string program = "#include <stdio.h>\n";
  Bytes expected;
  for (const Table& t : RandomTables()) {
    WriteText(dir.path / (t.symbol + ".h"), t.c);
    program += "#include \"" + t.symbol + ".h\"\n#include \"" + t.symbol + ".h\"\n";
    expected = Cat({&expected, &t.bits, &t.icons, &t.lookup});
  }
  const Skin skin = RandomTables().front().skin;
  const Bytes file = WriteSkinFile(skin, "random").value();
  WriteText(dir.path / "skin.h", WriteSkinBytesText(file, "skin", SourceFormat::C));
  program += "#include \"skin.h\"\n#include \"skin.h\"\nint main(void) {\n";
  for (const Table& t : RandomTables()) {
    const std::string s = t.symbol;
    std::string upper = s;
    upper[0] = 'T';
    program += "  if (sizeof " + s + "_icons != " + upper + "_ICONS * 12u) return 3;\n";
    program += "  fwrite(" + s + "_bits, 1, sizeof " + s + "_bits, stdout);\n";
    program += "  fwrite(" + s + "_icons, 1, sizeof " + s + "_icons, stdout);\n";
    if (t.options.Lookup) program += "  fwrite(" + s + "_lookup, 1, 256, stdout);\n";
  }
  program += "  fwrite(skin, 1, sizeof skin, stdout);\n  return 0;\n}\n";
  expected.insert(expected.end(), file.begin(), file.end());
  WriteText(dir.path / "show.c", program);
  WriteText(dir.path / "show.cpp", program);
  const std::string strict = " -Wall -Wextra -Werror -pedantic ";
  ASSERT_TRUE(RunIn(dir.path, "gcc -std=c99" + strict + "-o show_c show.c && ./show_c > c.bin"));
  EXPECT_EQ(ReadBytes(dir.path / "c.bin"), expected);
  if (Tool("g++").empty()) GTEST_SKIP() << "g++ is not installed";
  ASSERT_TRUE(
      RunIn(dir.path, "g++ -std=c++17" + strict + "-o show_cpp show.cpp && ./show_cpp > cpp.bin"));
  EXPECT_EQ(ReadBytes(dir.path / "cpp.bin"), expected);
}

TEST(SkinTableBuild, AssemblesIntoTheSameBytes) {
  for (const char* tool : {"as", "objcopy"}) {
    if (Tool(tool).empty()) GTEST_SKIP() << tool << " is not installed";
  }
  if (std::endian::native != std::endian::little)
    GTEST_SKIP() << "the expected index is little-endian";
  const TempFolder dir;
  // .rodata: the bits, zeros to a multiple of 4, the index, the lookup and
  // the 16-bit count of icons; the skin file's bytes, zeros, their 32-bit size.
  const auto rodata = [&](const std::string& stem, const std::string& text) {
    WriteText(dir.path / (stem + ".s"), text);
    EXPECT_TRUE(RunIn(dir.path, "as -o " + stem + ".o " + stem +
                                    ".s && objcopy -O binary -j .rodata " + stem + ".o " + stem +
                                    ".bin"));
    return ReadBytes(dir.path / (stem + ".bin"));
  };
  for (const Table& t : RandomTables()) {
    Bytes expected = t.bits;
    expected.resize((expected.size() + 3) / 4 * 4, 0);
    expected = Cat({&expected, &t.icons, &t.lookup});
    AppendLe(expected, static_cast<std::uint32_t>(t.skin.Count()), 2);
    EXPECT_EQ(rodata(t.symbol, t.gas), expected) << t.symbol;
  }
  Bytes file = WriteSkinFile(RandomTables().front().skin, "random").value();
  const std::size_t size = file.size();
  const Bytes text(file);
  file.resize((size + 3) / 4 * 4, 0);
  AppendLe(file, static_cast<std::uint32_t>(size), 4);
  EXPECT_EQ(rodata("skin", WriteSkinBytesText(text, "skin", SourceFormat::Gas)), file);
}

}  // namespace
}  // namespace pictavo
