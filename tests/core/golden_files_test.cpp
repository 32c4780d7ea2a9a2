// Files in tests/data read and compared whole against the expected files
// beside them. The folder is named by PICTAVO_TEST_DATA (ctest sets it); see
// tests/data/README.md for what each file holds and how to refresh them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/listing.h"
#include "core/formats/picture_file.h"
#include "core/formats/skin_file.h"
#include "core/formats/source_text/reader.h"
#include "core/formats/source_text/skin_table.h"
#include "core/formats/source_text/writer.h"

namespace pictavo {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// A run without the folder fails instead of skipping, so that a green run
// always means the files were compared.
std::optional<fs::path> DataDir() {
  const char* dir = std::getenv("PICTAVO_TEST_DATA");
  if (dir == nullptr || *dir == '\0') {
    ADD_FAILURE() << "PICTAVO_TEST_DATA is not set; point it at tests/data (ctest does)";
    return std::nullopt;
  }
  return fs::path(dir);
}

// PICTAVO_UPDATE_GOLDENS=1 rewrites expected outputs that differ. The case
// still fails, so an update is reviewed with git diff, never taken as a pass.
bool Updating() {
  const char* flag = std::getenv("PICTAVO_UPDATE_GOLDENS");
  return flag != nullptr && std::string_view(flag) == "1";
}

std::optional<Bytes> Load(const std::string& relative) {
  const auto dir = DataDir();
  if (!dir) return std::nullopt;
  std::ifstream in(*dir / relative, std::ios::binary);
  if (!in) {
    ADD_FAILURE() << "cannot read " << (*dir / relative).string();
    return std::nullopt;
  }
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Escaped(std::string_view text) {
  std::ostringstream out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r') {
      out << "\\r";
    } else if (c == '\n') {
      out << "\\n";
    } else if (byte < 0x20 || byte >= 0x7F) {
      out << "\\x" << "0123456789ABCDEF"[byte >> 4] << "0123456789ABCDEF"[byte & 15];
    } else {
      out << c;
    }
  }
  return out.str();
}

// Reports the first difference with a little context rather than two whole
// listings of up to 50 KB.
void ExpectGolden(const std::string& relative, std::string_view actual) {
  const auto expected = Load(relative);
  const std::string_view want =
      expected ? std::string_view(reinterpret_cast<const char*>(expected->data()), expected->size())
               : std::string_view();
  if (expected && want == actual) return;
  if (expected) {
    const std::size_t at = static_cast<std::size_t>(
        std::mismatch(want.begin(), want.end(), actual.begin(), actual.end()).first -
        want.begin());
    const std::size_t from = at < 20 ? 0 : at - 20;
    ADD_FAILURE() << relative << " differs at byte " << at << " (expected " << want.size()
                  << " bytes, got " << actual.size() << ")\n  expected: ..."
                  << Escaped(want.substr(from, 60)) << "\n  actual:   ..."
                  << Escaped(actual.substr(std::min(from, actual.size()), 60));
  }
  if (Updating()) {
    if (const auto dir = DataDir()) {
      std::ofstream(*dir / relative, std::ios::binary).write(actual.data(), actual.size());
      ADD_FAILURE() << "rewrote " << relative;
    }
  }
}

std::string_view AsText(const Bytes& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Cases are named by their label, in test names and in failure reports alike.
template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  return info.param.label;
}

TEST(GoldenData, FolderIsNamedAndReadable) {
  const auto dir = DataDir();
  ASSERT_TRUE(dir.has_value());
  EXPECT_TRUE(fs::is_regular_file(*dir / "README.md")) << dir->string() << " is not tests/data";
}

// ---- picture files -------------------------------------------------------------

struct PictureCase {
  std::string label;
  std::string file;
  int version;
  std::string name;
  int width;
  int height;
  std::string listings;  // folder under listings/
  bool rows_fill_bytes;  // width a multiple of 8: aligned texts equal the others
};
void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.label; }

const std::vector<PictureCase>& Pictures() {
  static const std::vector<PictureCase> pictures = {
      {"icon", "pictures/icon.ptv", 2, "icon", 3, 2, "icon", false},
      {"icon_version_1", "pictures/icon_v1.ptv", 1, "icon", 3, 2, "icon", false},
      {"diagonal", "pictures/diagonal.ptv", 2, "diagonal rows", 10, 13, "diagonal", false},
      {"full", "pictures/full.ptv", 2, "caf\xE9 96x92", 96, 92, "full", true},
  };
  return pictures;
}

Picture ToPicture(const PictureRecord& record) {
  Picture picture;
  picture.Width = record.width;
  picture.Height = record.height;
  for (int y = 1; y <= record.height; ++y) {
    for (int x = 1; x <= record.width; ++x) picture.Cells.At(x, y) = record.At(x, y);
  }
  return picture;
}

std::optional<PictureRecord> ReadPicture(const std::string& file) {
  const auto bytes = Load(file);
  if (!bytes) return std::nullopt;
  auto record = ReadPictureFile(*bytes);
  if (!record) {
    ADD_FAILURE() << file << ": " << record.error().message;
    return std::nullopt;
  }
  return *record;
}

class PictureFileGolden : public ::testing::TestWithParam<PictureCase> {};

TEST_P(PictureFileGolden, ReadsAndWritesBackByteForByte) {
  const PictureCase& c = GetParam();
  const auto stored = Load(c.file);
  const auto record = ReadPicture(c.file);
  ASSERT_TRUE(stored && record);
  EXPECT_EQ(record->name, c.name);
  EXPECT_EQ(record->width, c.width);
  EXPECT_EQ(record->height, c.height);
  EXPECT_EQ(WritePictureFile(ViewOf(ToPicture(*record)), record->name, c.version), *stored);
}

INSTANTIATE_TEST_SUITE_P(Pictures, PictureFileGolden, ::testing::ValuesIn(Pictures()),
                         CaseName<PictureCase>);

// ---- listings ------------------------------------------------------------------

struct ListingCase {
  std::string label;
  const PictureCase* picture;
  std::optional<ListingFormat> format;  // none: the asm 8bpp file text
  bool align;
  std::string golden;
};
void PrintTo(const ListingCase& c, std::ostream* os) { *os << c.label; }

std::vector<ListingCase> ListingCases() {
  const struct {
    const char* label;
    ListingFormat format;
    bool align;
    const char* golden;
  } outputs[] = {
      // The C++ and 8-bit texts ignore alignment: both settings give one text.
      {"cpp", ListingFormat::Cpp, false, "cpp"},
      {"cpp_aligned", ListingFormat::Cpp, true, "cpp"},
      {"asm1", ListingFormat::Asm1, false, "asm1"},
      {"asm1_aligned", ListingFormat::Asm1, true, "asm1_aligned"},
      {"asm2", ListingFormat::Asm2, false, "asm2"},
      {"asm2_aligned", ListingFormat::Asm2, true, "asm2_aligned"},
      {"asm4", ListingFormat::Asm4, false, "asm4"},
      {"asm4_aligned", ListingFormat::Asm4, true, "asm4_aligned"},
      {"asm8", ListingFormat::Asm8, false, "asm8"},
      {"asm8_aligned", ListingFormat::Asm8, true, "asm8"},
  };
  std::vector<ListingCase> cases;
  for (const PictureCase& picture : Pictures()) {
    const std::string folder = "listings/" + picture.listings + "/";
    for (const auto& o : outputs) {
      std::string golden = o.golden;
      if (picture.rows_fill_bytes && o.align) golden = golden.substr(0, golden.find("_aligned"));
      cases.push_back({picture.label + "_" + o.label, &picture, o.format, o.align,
                       folder + golden + ".txt"});
    }
    cases.push_back(
        {picture.label + "_asm8_file", &picture, std::nullopt, false, folder + "asm8_file.s"});
  }
  return cases;
}

class PictureListingGolden : public ::testing::TestWithParam<ListingCase> {};

// The clipboard texts are the whole-picture export: the chosen listing
// followed by the 1-bit C++ array.
TEST_P(PictureListingGolden, MatchesTheExpectedText) {
  const ListingCase& c = GetParam();
  const auto record = ReadPicture(c.picture->file);
  ASSERT_TRUE(record.has_value());
  const Picture picture = ToPicture(*record);
  ExpectGolden(c.golden, c.format ? PictureClipboardText(ViewOf(picture), record->name,
                                                         *c.format, c.align)
                                  : AsmFileListing(ViewOf(picture), record->name));
}

INSTANTIATE_TEST_SUITE_P(Pictures, PictureListingGolden, ::testing::ValuesIn(ListingCases()),
                         CaseName<ListingCase>);

// ---- texts for compilers -------------------------------------------------------

struct SourceCase {
  std::string label;
  const PictureCase* picture;
  SourceTextOptions options;
  std::string golden;
};
void PrintTo(const SourceCase& c, std::ostream* os) { *os << c.label; }

std::vector<SourceCase> SourceCases() {
  using enum SourceFormat;
  const BitOrder lsb = BitOrder::Lsb, msb = BitOrder::Msb;
  const ByteLayout rows = ByteLayout::Rows, pages = ByteLayout::Pages;
  const struct {
    const char* file;
    SourceTextOptions options;
  } outputs[] = {
      {"c1.h", {C, 1, false, lsb, rows, ""}},
      {"c2.h", {C, 2, false, lsb, rows, ""}},
      {"c4.h", {C, 4, false, lsb, rows, ""}},
      {"c8.h", {C, 8, false, lsb, rows, ""}},
      {"c1_pages.h", {C, 1, false, lsb, pages, ""}},
      {"c2_aligned_msb.h", {C, 2, true, msb, rows, ""}},
      {"gas1.s", {Gas, 1, false, lsb, rows, ""}},
      {"gas2.s", {Gas, 2, false, lsb, rows, ""}},
      {"gas4.s", {Gas, 4, false, lsb, rows, ""}},
      {"gas8.s", {Gas, 8, false, lsb, rows, ""}},
      {"gas1_pages_msb.s", {Gas, 1, false, msb, pages, ""}},
      {"gas4_aligned.s", {Gas, 4, true, lsb, rows, ""}},
      {"picture.xbm", {Xbm, 1, false, lsb, rows, ""}},
  };
  std::vector<SourceCase> cases;
  for (const PictureCase& picture : Pictures()) {
    for (const auto& o : outputs) {
      std::string label = o.file;
      std::replace(label.begin(), label.end(), '.', '_');
      cases.push_back({picture.label + "_" + label, &picture, o.options,
                       "listings/" + picture.listings + "/" + o.file});
    }
  }
  return cases;
}

class SourceTextGolden : public ::testing::TestWithParam<SourceCase> {};

// The symbol is the picture's name, or its file's name when the name is no C
// identifier ("diagonal rows", "caf\xE9 96x92").
TEST_P(SourceTextGolden, MatchesTheExpectedText) {
  const SourceCase& c = GetParam();
  const auto record = ReadPicture(c.picture->file);
  ASSERT_TRUE(record.has_value());
  SourceTextOptions options = c.options;
  options.Symbol = SourceSymbol(record->name, fs::path(c.picture->file).stem().string());
  ExpectGolden(c.golden, WriteSourceText(ViewOf(ToPicture(*record)), options));
}

INSTANTIATE_TEST_SUITE_P(Pictures, SourceTextGolden, ::testing::ValuesIn(SourceCases()),
                         CaseName<SourceCase>);

// ---- other tools' arrays -------------------------------------------------------

// Each file is written in that tool's documented output form for the picture
// drawn in other_tools/picture.txt (# Black, . White); read with the options
// docs/formats.md gives for the tool, it is that picture. Without --size,
// a text that gives none says so.
struct OtherToolCase {
  std::string label;
  std::string file;
  ReadTextOptions options;
  std::string name;
  bool gives_size = false;
};
void PrintTo(const OtherToolCase& c, std::ostream* os) { *os << c.label; }

std::string Drawn(const PictureRecord& picture) {
  std::string rows;
  for (std::size_t i = 0; i < picture.codes.size(); ++i) {
    rows += picture.codes[i] == PixelCode::Black ? '#' : '.';
    if ((i + 1) % static_cast<std::size_t>(picture.width) == 0) rows += '\n';
  }
  return rows;
}

class OtherToolArray : public ::testing::TestWithParam<OtherToolCase> {};

TEST_P(OtherToolArray, ReadsAsThePictureWithTheDocumentedOptions) {
  const OtherToolCase& c = GetParam();
  const auto text = Load("other_tools/" + c.file);
  const auto picture = Load("other_tools/picture.txt");
  ASSERT_TRUE(text && picture);
  const auto read = ReadSourceText(AsText(*text), c.options);
  ASSERT_TRUE(read) << read.error().message;
  EXPECT_EQ(read->picture.name, c.name);
  EXPECT_EQ(Drawn(read->picture), AsText(*picture));
  ReadTextOptions sizeless = c.options;
  sizeless.size.reset();
  const auto without = ReadSourceText(AsText(*text), sizeless);
  if (c.gives_size) {
    ASSERT_TRUE(without) << without.error().message;
    EXPECT_EQ(without->picture.codes, read->picture.codes);
  } else {
    ASSERT_FALSE(without);
    EXPECT_NE(without.error().message.find(": no size in the text: "), std::string::npos)
        << without.error().message;
  }
}

constexpr TextSize Arrow{10, 9};
constexpr BitOrder Msb = BitOrder::Msb;
constexpr BitOrder Lsb = BitOrder::Lsb;

INSTANTIATE_TEST_SUITE_P(
    Tools, OtherToolArray,
    ::testing::Values(
        OtherToolCase{"image2cpp_horizontal",
                      "image2cpp_horizontal.h",
                      {.bit_order = Msb, .depth = 1, .align = true, .size = Arrow},
                      "epd_bitmap_arrow"},
        OtherToolCase{"image2cpp_vertical_plain_bytes",
                      "image2cpp_vertical.txt",
                      {.bit_order = Lsb, .layout = ByteLayout::Pages, .depth = 1, .size = Arrow},
                      ""},
        OtherToolCase{"lcd_image_converter",
                      "lcd_image_converter.c",
                      {.bit_order = Msb, .depth = 1, .align = true, .size = Arrow},
                      "image_data_arrow"},
        OtherToolCase{"u8g2_xbm",
                      "u8g2_xbm.h",
                      {.bit_order = Lsb, .depth = 1, .align = true, .size = Arrow, .invert = true},
                      "arrow_bits"},
        OtherToolCase{"adafruit_gfx",
                      "adafruit_gfx.h",
                      {.bit_order = Msb, .depth = 1, .align = true, .size = Arrow, .invert = true},
                      "logo_bmp",
                      true},
        OtherToolCase{"lvgl_indexed_1bit",
                      "lvgl_indexed_1bit.c",
                      {.bit_order = Msb, .depth = 1, .align = true, .size = Arrow, .skip = 8},
                      "arrow_map"},
        OtherToolCase{"lvgl_alpha_1bit",
                      "lvgl_alpha_1bit.c",
                      {.bit_order = Msb, .depth = 1, .align = true, .size = Arrow, .invert = true},
                      "arrow_map"},
        OtherToolCase{"x10_bitmap", "x10.xbm", {}, "arrow", true}),
    CaseName<OtherToolCase>);

// ---- skins ---------------------------------------------------------------------

struct SkinCase {
  std::string label;
  std::string stem;  // skins/<stem>.skin and its icon stream skins/<stem>.stream
  std::string name;
  std::vector<std::string> icon_labels;
};
void PrintTo(const SkinCase& c, std::ostream* os) { *os << c.label; }

class SkinFileGolden : public ::testing::TestWithParam<SkinCase> {};

TEST_P(SkinFileGolden, StreamMatchesAndSurvivesAWriteAndRead) {
  const SkinCase& c = GetParam();
  const auto file = Load("skins/" + c.stem + ".skin");
  ASSERT_TRUE(file.has_value());
  const SkinFileRead read = ReadSkinFile(*file);
  EXPECT_EQ(read.name, c.name);
  ASSERT_TRUE(read.skin.has_value()) << read.skin.error().message;
  EXPECT_EQ(IconLabels(*read.skin), c.icon_labels);

  const auto stream = BuildSkinStream(*read.skin);
  ASSERT_TRUE(stream.has_value()) << stream.error().message;
  ExpectGolden("skins/" + c.stem + ".stream", AsText(*stream));
  if (const auto expected = Load("skins/" + c.stem + ".stream")) {
    const auto parsed = ParseSkinStream(*expected);
    ASSERT_TRUE(parsed.has_value()) << parsed.error().message;
    EXPECT_EQ(*parsed, *read.skin);
  }

  const auto written = WriteSkinFile(*read.skin, read.name);
  ASSERT_TRUE(written.has_value()) << written.error().message;
  EXPECT_EQ(Bytes(written->begin(), written->begin() + SkinHeaderSize),
            Bytes(file->begin(), file->begin() + SkinHeaderSize));
  const SkinFileRead again = ReadSkinFile(*written);
  EXPECT_EQ(again.name, c.name);
  ASSERT_TRUE(again.skin.has_value()) << again.skin.error().message;
  EXPECT_EQ(*again.skin, *read.skin);
}

INSTANTIATE_TEST_SUITE_P(
    Skins, SkinFileGolden,
    ::testing::Values(SkinCase{"four_depths", "mixed", "mixed", {"0x05", "0x09", "0xFE", "0x40"}},
                      SkinCase{"full_size_icons", "large", "sixteen chars ok", {"0x01", "0x02"}}),
    CaseName<SkinCase>);

// A skin as a table: the bits are the stream's pixels (each icon at its own
// depth), the index and lookup as docs/formats.md lays them out; the golden
// text reads back into the same stream.
TEST(SkinTableGolden, MixedSkinAsCAndGasReadsBackIntoItsStream) {
  const auto file = Load("skins/mixed.skin");
  ASSERT_TRUE(file.has_value());
  const SkinFileRead read = ReadSkinFile(*file);
  ASSERT_TRUE(read.skin.has_value());
  const auto stream = Load("skins/mixed.stream");
  ASSERT_TRUE(stream.has_value());
  for (const auto& [format, golden] : {std::pair{SourceFormat::C, "skins/mixed_table.h"},
                                       {SourceFormat::Gas, "skins/mixed_table.s"}}) {
    const auto text = WriteSkinTable(*read.skin, read.name,
                                     {.Format = format, .Lookup = true, .Symbol = "mixed"});
    ASSERT_TRUE(text.has_value()) << text.error().message;
    ExpectGolden(golden, *text);
    const auto back = ReadSkinTable(*text);
    ASSERT_TRUE(back.has_value()) << back.error().message;
    EXPECT_EQ(back->name, "mixed");
    EXPECT_EQ(BuildSkinStream(back->skin), *stream) << golden;
  }
}

// ---- damaged inputs ------------------------------------------------------------

struct DamagedCase {
  std::string label;
  std::string file;
  std::string message;
};
void PrintTo(const DamagedCase& c, std::ostream* os) { *os << c.label; }

class DamagedPictureFile : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedPictureFile, IsRefusedWithItsMessage) {
  const auto bytes = Load("damaged/" + GetParam().file);
  ASSERT_TRUE(bytes.has_value());
  const auto record = ReadPictureFile(*bytes);
  ASSERT_FALSE(record.has_value());
  EXPECT_EQ(record.error().message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, DamagedPictureFile,
    ::testing::Values(
        DamagedCase{"too_short", "picture_too_short.ptv",
                    "The file is 5 bytes long, too short for a picture: its version and name "
                    "length alone take 8 bytes."},
        DamagedCase{"negative_name_length", "picture_negative_name_length.ptv",
                    "The name length is -1; it cannot be negative."},
        DamagedCase{"too_wide_version_1", "picture_too_wide_v1.ptv",
                    "The width is 97, above the largest 96."},
        DamagedCase{"pixels_cut", "picture_pixels_cut.ptv",
                    "The file ends after 4 of the picture's 6 pixels."},
        DamagedCase{"code_5", "picture_code_5.ptv",
                    "The pixel at column 2, row 2 has the code 5; pixel codes run from 0 to 4."}),
    CaseName<DamagedCase>);

class DamagedSkinFile : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedSkinFile, IsRefusedWithItsMessage) {
  const auto bytes = Load("damaged/" + GetParam().file);
  ASSERT_TRUE(bytes.has_value());
  const SkinFileRead read = ReadSkinFile(*bytes);
  ASSERT_FALSE(read.skin.has_value());
  EXPECT_EQ(read.skin.error().message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Skins, DamagedSkinFile,
    ::testing::Values(
        DamagedCase{"trailing_byte", "skin_trailing_byte.skin",
                    "bytes follow the end of the compressed icon stream"},
        DamagedCase{"cut_short", "skin_cut_short.skin",
                    "the compressed icon stream is cut off before its end"},
        DamagedCase{"short_head", "skin_short_head.skin",
                    "the file holds 20 bytes, too few for the 32-byte head of a skin"},
        DamagedCase{"depth_3", "skin_depth_3.skin",
                    "icon 1 (0x05) has a depth of 3 bits per pixel; only 1, 2, 4 and 8 exist"},
        DamagedCase{"longer_than_head", "skin_longer_than_head.skin",
                    "the icon stream is longer than the 6 bytes the head gives"}),
    CaseName<DamagedCase>);

}  // namespace
}  // namespace pictavo
