// The catalogue: every file in tests/data opened through ReadDocument by
// callers that take it and callers that do not, and the manual's list of
// export formats against the table.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/documents/export_catalogue.h"
#include "core/documents/read_document.h"

namespace pictavo {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

fs::path DataDir() {
  const char* dir = std::getenv("PICTAVO_TEST_DATA");
  return dir != nullptr ? fs::path(dir) : fs::path();
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Stands in for the image loader: says which kind it was asked to decode,
// and refuses the files under damaged/ as the loader would, in its words.
class RecordingDecoder : public ImageDecoder {
 public:
  mutable std::optional<std::optional<FileKind>> asked;
  bool refuse = false;

  std::size_t ReadLimit() const override { return 1 << 20; }
  expected<std::vector<RgbImage>, Error> Decode(std::optional<FileKind> kind,
                                                std::span<const std::uint8_t>, std::uint64_t,
                                                bool) const override {
    asked = kind;
    if (refuse) return unexpected(Error{"The data is cut short"});
    return std::vector<RgbImage>{RgbImage{1, 1, {Rgb{}}, {}}};
  }
};

struct OpenCase {
  std::string file;  // under tests/data, or the name given to `bytes`
  KindSet takes;
  bool decoder;
  Front front;
  // Opened: the kind found and the picture's or skin's name; refused: the reason.
  std::optional<FileKind> kind;
  std::string expected;
  std::string bytes = {};
};

constexpr KindSet kConvert = SourceTexts | Images;
constexpr KindSet kOpenPicture = PictureFiles | SourceTexts;
constexpr auto W = Front::Window;
constexpr auto C = Front::CommandLine;
constexpr auto Png = FileKind::PngImage;
constexpr auto Gif = FileKind::GifImage;
constexpr auto Bmp = FileKind::BmpImage;
constexpr std::optional<FileKind> Refused;

TEST(ReadDocument, EveryKindTakenNotTakenAndDamaged) {
  using namespace std::string_literals;
  const std::string text_with_nul = "icon:\n.byte 3,2\n.byte 0,3\0,4\n"s;
  const std::vector<OpenCase> cases = {
      // Taken: the kind and the name read.
      {"pictures/icon.ptv", PictureFiles, false, C, FileKind::PictureFile, "icon"},
      {"pictures/icon_v1.ptv", AnyDocument, true, W, FileKind::PictureFile, "icon"},
      {"skins/mixed.skin", SkinFiles, false, C, FileKind::SkinFile, "mixed"},
      {"listings/icon/c2.h", kOpenPicture, false, W, FileKind::SourceText, "icon"},
      {"listings/icon/asm1.txt", kConvert, true, C, FileKind::SourceText, "icon"},
      {"images/valid.png", Images, true, W, Png, ""},
      {"images/valid_1bit.bmp", kConvert, true, C, Bmp, ""},
      {"images/valid.jpg", AnyDocument, true, W, FileKind::JpegImage, ""},
      {"images/valid_animated.gif", Images, true, W, Gif, ""},
      // "BM" that starts a text is a BMP only where the name says so; content
      // that tells nothing is its name's kind.
      {"fake.bmp", Images, true, W, Bmp, "", "BM not really a bitmap"},
      {"big.png", kConvert, true, C, Png, "by its name", std::string(64, '\0')},
      // Not taken: the kind found, what was wanted, and how to make it.
      {"images/valid.png", kOpenPicture, true, W, Refused,
       "is a PNG image, not a picture file or a source text. \"Open BMP file...\" makes a "
       "picture of it."},
      {"images/valid.png", PictureFiles, true, C, Refused,
       "is a PNG image, not a picture file. \"pictavo-cli convert\" makes a picture of it."},
      {"images/valid.png", AnyDocument, false, W, Refused,
       "is a PNG image, not a picture file, a skin file or a source text. \"Open BMP file...\" "
       "makes a picture of it."},
      {"skins/mixed.skin", kOpenPicture, false, W, Refused,
       "is a skin file, not a picture file or a source text. \"OpenSkin...\" opens it."},
      {"skins/mixed.skin", PictureFiles, false, C, Refused,
       "is a skin file, not a picture file. \"pictavo-cli skin extract\" makes pictures of it."},
      {"pictures/icon.ptv", SkinFiles, false, C, Refused, "is a picture file, not a skin file."},
      {"fonts/tiny.bdf", SkinFiles, false, C, Refused,
       "is a font, not a skin file. \"pictavo-cli font\" makes a skin of it."},
      {"font.pcf.gz", kOpenPicture, false, W, Refused,
       "is a font, not a picture file or a source text. \"Import Font...\" makes a skin of it.",
       "\x1F\x8B\x08 cut short"},
      {"pictures/icon.ptv", kConvert, true, C, Refused,
       "is a picture file, not a source text or a BMP, PNG, GIF or JPEG image."},
      {"listings/icon/gas4.s", PictureFiles, false, C, Refused,
       "is a source text, not a picture file. \"pictavo-cli convert\" makes a picture of it."},
      {"README.md", PictureFiles | SkinFiles, false, C, Refused,
       "is a text file, not a picture file or a skin file."},
      {"fake.txt", Images, true, W, Refused, "is a text file, not a BMP, PNG, GIF or JPEG image.",
       "BM not really a bitmap"},
      {"noname", kConvert, true, C, Refused,
       "is not a source text or a BMP, PNG, GIF or JPEG image.",
       std::string("\x00\x01\x02\x03\xFE", 5)},
      // Taken, refused by its reader: the reason, naming the kind.
      {"damaged/picture_code_5.ptv", PictureFiles, false, C, Refused,
       "cannot be read as a picture file: The pixel at column 2, row 2 has the code 5; pixel "
       "codes run from 0 to 4."},
      {"damaged/picture_too_short.ptv", AnyDocument, true, W, Refused,
       "cannot be read as a picture file: The file is 5 bytes long, too short for a picture"},
      {"damaged/skin_trailing_byte.skin", SkinFiles | PictureFiles, false, C, Refused,
       "cannot be read as a skin file: Bytes follow the end of the compressed icon stream."},
      {"damaged/images/gif_cut_short.gif", kConvert, true, C, Refused,
       "cannot be read as a GIF image: The data is cut short."},
      {"text.s", kConvert, true, C, Refused,
       "cannot be read as a source text: Line 3: the byte 0x00 is not part of a text.",
       text_with_nul},
      {"README.md", kOpenPicture, false, W, Refused,
       "cannot be read as a source text: Line 1: expected a source text"},
      {"empty.skin", AnyDocument, true, W, Refused, "cannot be read as a skin file: ", ""},
  };
  for (const OpenCase& c : cases) {
    SCOPED_TRACE(c.file + (c.kind ? " opened" : " refused"));
    const std::string bytes =
        c.bytes.empty() && fs::exists(DataDir() / c.file) ? ReadAll(DataDir() / c.file) : c.bytes;
    RecordingDecoder decoder;
    decoder.refuse = c.file.starts_with("damaged/");
    ReadHints hints = Taking(c.takes, c.decoder ? &decoder : nullptr);
    hints.front = c.front;
    const auto read =
        ReadDocument(StoredFile{c.file,
                                {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()},
                                bytes.size()},
                     hints);
    if (!c.kind) {
      ASSERT_FALSE(read.has_value());
      EXPECT_TRUE(read.error().reason.starts_with(c.expected)) << read.error().reason;
      EXPECT_TRUE(read.error().reason.ends_with('.')) << read.error().reason;
      continue;
    }
    ASSERT_TRUE(read.has_value()) << read.error().reason;
    EXPECT_EQ(read->kind, *c.kind);
    if (const auto* picture = std::get_if<PictureDocument>(&read->content)) {
      EXPECT_EQ(picture->record.name, c.expected);
    } else if (const auto* skin = std::get_if<SkinDocument>(&read->content)) {
      EXPECT_EQ(skin->name, c.expected);
    } else {
      // The kind found, or none where only the name tells.
      ASSERT_TRUE(decoder.asked.has_value());
      EXPECT_EQ(*decoder.asked, c.expected.empty() ? c.kind : std::nullopt);
    }
  }
}

// The manual's synopsis lists the --format values the command line takes.
TEST(ExportCatalogue, ManualListsEveryFormat) {
  const std::string manual = ReadAll(DataDir() / "../../docs/pictavo-cli.1");
  ASSERT_FALSE(manual.empty()) << "docs/pictavo-cli.1 beside tests/data";
  const std::string option = ".B \\-\\-format\n.BR ";
  const std::size_t at = manual.find(option);
  ASSERT_NE(at, std::string::npos);
  std::istringstream line(manual.substr(
      at + option.size(), manual.find('\n', at + option.size()) - at - option.size()));
  std::vector<std::string> listed;
  // "|\:" lets the line break after a bar.
  for (std::string word; line >> word;) {
    if (word != "|" && word != "|\\:") listed.push_back(word);
  }
  std::vector<std::string> formats;
  for (const ExportFormat& format : ExportFormats()) formats.emplace_back(format.name);
  EXPECT_EQ(listed, formats);
}

// The format an output's name asks for, and the options each format refuses
// in words that name them.
TEST(ExportCatalogue, OutputNamesAndOptions) {
  const struct {
    const char* file;
    int depth;
    const char* format;  // empty: none
  } names[] = {
      {"rose.h", 2, "c2"}, {"out/ROSE.H", 4, "c4"}, {"x.s", 1, "gas1"},
      {"x.S", 8, "gas8"},  {"x.xbm", 4, "xbm"},     {"a.b/x.ptv", 2, "ptv"},
      {"x.png", 2, ""},    {"x.txt", 2, ""},        {"-", 2, ""},
      {"x", 2, ""},        {".h", 2, ""},
  };
  for (const auto& c : names) {
    const ExportFormat* format = ExportFormatOfName(c.file, c.depth);
    EXPECT_EQ(format != nullptr ? format->name : "", std::string_view(c.format)) << c.file;
  }
  const struct {
    const char* format;
    ExportOption option;
    ByteLayout layout;
    const char* refusal;  // empty: taken
  } options[] = {
      {"c2", ExportOption::Layout, ByteLayout::Rows, ""},
      {"gas8", ExportOption::Layout, ByteLayout::Rows, ""},
      {"xbm", ExportOption::Layout, ByteLayout::Rows, ""},
      {"c2", ExportOption::Layout, ByteLayout::Pages, "--layout pages is for c1 and gas1"},
      {"c1", ExportOption::Layout, ByteLayout::Pages, ""},
      {"ptv", ExportOption::Layout, ByteLayout::Rows, "--layout is not for ptv, a picture file"},
      {"ptv", ExportOption::Align, ByteLayout::Rows, "--align is not for ptv, a picture file"},
      {"ptv", ExportOption::Symbol, ByteLayout::Rows, "--symbol is for the c, gas and xbm formats"},
  };
  for (const auto& c : options) {
    ExportChoices choices;
    choices.layout = c.layout;
    const auto refused = RefusedOption(*FindExportFormat(c.format), c.option, choices);
    EXPECT_EQ(refused.value_or(""), c.refusal) << c.format;
  }
}

// Said only when a name the user gave (the symbol, else the picture's name)
// had to change; a file's name is no name given.
TEST(ExportCatalogue, SymbolNoteOnlyWhenAGivenNameChanged) {
  const struct {
    const char* symbol;
    const char* name;
    const char* note;
  } cases[] = {
      {"", "rose", ""},
      {"", "", ""},
      {"", "int",
       "the symbol is int_picture (the picture's name \"int\" is a keyword of C or C++)"},
      {"", "my rose", "the symbol is rose (the picture's name \"my rose\" is no C identifier)"},
      {"icon", "my rose", ""},
      {"uint8_t", "rose",
       "the symbol is uint8_t_picture (\"uint8_t\" is a type name C reserves for <stdint.h>)"},
      {"a-b", "rose", "the symbol is a_b (\"a-b\" is no C identifier: it holds \"-\")"},
  };
  for (const auto& c : cases) {
    ExportChoices choices;
    choices.symbol = c.symbol;
    EXPECT_EQ(ExportSymbolNote(choices, c.name, "rose"), c.note) << c.symbol << c.name;
  }
}

// ptv is the picture file itself, as "Save Picture..." writes it.
TEST(ExportCatalogue, PictureFileFormatWritesThePictureFile) {
  const std::string stored = ReadAll(DataDir() / "pictures/icon.ptv");
  const auto record =
      ReadPictureFile({reinterpret_cast<const std::uint8_t*>(stored.data()), stored.size()});
  ASSERT_TRUE(record);
  Picture picture;
  ASSERT_TRUE(ApplyPictureRecord(picture, *record));
  EXPECT_EQ(WriteExport(*FindExportFormat("ptv"), ViewOf(picture), record->name, {}), stored);
}

}  // namespace
}  // namespace pictavo
