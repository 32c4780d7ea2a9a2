#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>

#include "core/formats/listing.h"
#include "core/formats/pack_pixels.h"
#include "core/formats/source_text_reader.h"
#include "test_models.h"

namespace pictavo {
namespace {

using Writer = std::function<std::string(CodeGridView, std::string_view)>;

// One way the program writes a picture as text, the depth it keeps, and what
// the reader is told. Rows packed with align can take as many bytes as
// without; then either reading may be taken.
struct WriterRow {
  std::string name;
  Writer write;
  int depth = 8;
  bool aligned = false;
  SourceTextOptions options = {};
};

Writer Listing(ListingFormat format, bool align) {
  return [=](CodeGridView p, std::string_view n) { return BuildListing(p, n, format, align); };
}
Writer Clipboard(ListingFormat format, bool align) {
  return
      [=](CodeGridView p, std::string_view n) { return PictureClipboardText(p, n, format, align); };
}

std::vector<WriterRow> WriterRows() {
  std::vector<WriterRow> rows = {
      {"cpp", Listing(ListingFormat::Cpp, false)},
      {"cpp clipboard", Clipboard(ListingFormat::Cpp, false)},
      {"asm8", Listing(ListingFormat::Asm8, false)},
      {"asm8 clipboard", Clipboard(ListingFormat::Asm8, true)},
      {"asmfile", AsmFileListing},
      {"1-bit array alone", MonoArrayListing, 1},
  };
  const std::pair<ListingFormat, int> packed[] = {
      {ListingFormat::Asm1, 1}, {ListingFormat::Asm2, 2}, {ListingFormat::Asm4, 4}};
  for (const auto& [format, depth] : packed) {
    for (const bool align : {false, true}) {
      const std::string name = "asm" + std::to_string(depth) + (align ? " aligned" : "");
      rows.push_back({name, Listing(format, align), depth, align});
      rows.push_back({name + " clipboard", Clipboard(format, align), depth, align});
    }
  }
  return rows;
}

// Whether the bytes of `row` could as well be rows packed without align.
bool AlignmentUntold(const WriterRow& row, int width, int height) {
  if (!row.aligned || width * row.depth % 8 == 0) return false;
  const int per_byte = 8 / row.depth;
  return height * ((width + per_byte - 1) / per_byte) == (width * height + per_byte - 1) / per_byte;
}

// The picture as a text of `depth` holds it.
std::vector<PixelCode> AtDepth(CodeGridView picture, int depth) {
  std::vector<PixelCode> codes;
  for (int y = 1; y <= picture.Height(); ++y) {
    for (int x = 1; x <= picture.Width(); ++x) {
      const PixelCode code = picture.At(x, y);
      if (depth == 1) {
        codes.push_back(PackedValue(code, 1) ? PixelCode::White : PixelCode::Black);
      } else {
        codes.push_back(depth == 2 ? ToPixelCode(PackedValue(code, 2)) : code);
      }
    }
  }
  return codes;
}

TEST(ReadSourceText, EveryTextTheProgramWritesReadsBack) {
  std::mt19937 random(22);
  const std::string name_characters = "aZ09_ :[]{}=/*#;.,@";
  const auto rows = WriterRows();
  for (int round = 0; round < 200; ++round) {
    Picture picture;
    picture.Width = std::uniform_int_distribution(1, MaxPictureWidth)(random);
    picture.Height = std::uniform_int_distribution(1, MaxPictureHeight)(random);
    // Small pictures are where packings coincide; take them often.
    if (round % 3 == 0) picture.Width = std::uniform_int_distribution(1, 9)(random);
    if (round % 4 == 0) picture.Height = std::uniform_int_distribution(1, 9)(random);
    for (int y = 1; y <= picture.Height; ++y) {
      for (int x = 1; x <= picture.Width; ++x) {
        picture.Cells.At(x, y) = ToPixelCode(std::uniform_int_distribution(0, 4)(random));
      }
    }
    std::string name(std::uniform_int_distribution(0, 16)(random), 'x');
    for (char& c : name) c = name_characters[random() % name_characters.size()];
    // Spaces around a label are not kept.
    std::string expected_name = name;
    expected_name.erase(0, expected_name.find_first_not_of(' '));
    expected_name.erase(expected_name.find_last_not_of(' ') + 1);
    for (const WriterRow& row : rows) {
      const std::string text = row.write(ViewOf(picture), name);
      const auto read = ReadSourceText(text, row.options);
      ASSERT_TRUE(read) << row.name << " of \"" << name << "\": " << read.error().message << "\n"
                        << text;
      ASSERT_EQ(read->picture.width, picture.Width) << row.name;
      ASSERT_EQ(read->picture.height, picture.Height) << row.name;
      EXPECT_EQ(read->picture.name, expected_name) << row.name;
      if (AlignmentUntold(row, picture.Width, picture.Height)) {
        // Either reading is right; the one taken must give the same bytes.
        Picture back = picture;
        ApplyPictureRecord(back, read->picture);
        EXPECT_EQ(PackPixels(ViewOf(back), row.depth, read->shape.aligned),
                  PackPixels(ViewOf(picture), row.depth, true))
            << row.name;
        continue;
      }
      EXPECT_EQ(read->picture.codes, AtDepth(ViewOf(picture), row.depth)) << row.name << "\n"
                                                                          << text;
    }
  }
}

}  // namespace
}  // namespace pictavo
