#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "core/editing/document_io.h"
#include "core/editing/editor.h"
#include "core/editing/editor_state.h"
#include "core/editing/editor_test_door.h"
#include "core/formats/picture_file.h"
#include "core/formats/text_mode.h"
#include "core/model/picture.h"
#include "test_models.h"

namespace pictavo {
namespace {

using testing::CanvasPixel;

using Bytes = std::vector<std::uint8_t>;

Bytes Repeat(Bytes head, int count, std::uint8_t value) {
  head.insert(head.end(), static_cast<std::size_t>(count), value);
  return head;
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Picture MakePicture(int width, int height, const std::vector<int>& codes) {
  return testing::MakePicture(width, height, codes, PixelCode::White);
}

Picture IconPicture() { return testing::IconExample(PixelCode::White); }

std::vector<PixelCode> Codes(std::initializer_list<int> values) {
  std::vector<PixelCode> codes;
  for (int v : values) codes.push_back(ToPixelCode(v));
  return codes;
}

// Every code, in a pattern that differs between rows and columns.
Picture PatternPicture(int width, int height) {
  std::vector<int> codes;
  for (int y = 1; y <= height; ++y) {
    for (int x = 1; x <= width; ++x) codes.push_back((x * 3 + y) % PixelCodeCount);
  }
  return MakePicture(width, height, codes);
}

PictureRecord RecordOf(const Picture& picture, std::string name) {
  PictureRecord record{std::move(name), picture.Width, picture.Height, {}};
  for (int y = 1; y <= picture.Height; ++y) {
    for (int x = 1; x <= picture.Width; ++x) record.codes.push_back(picture.Cells.At(x, y));
  }
  return record;
}

const Bytes IconRecord = {0x02, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x69, 0x63,
                          0x6F, 0x6E, 0x03, 0x02, 0x00, 0x03, 0x04, 0x01, 0x02, 0x03};
// The 10 x 2 all-Black picture "ab": its width byte 0x0A is stored as 0D 0A.
const Bytes AbStored =
    Repeat({0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x61, 0x62, 0x0D, 0x0A, 0x02}, 20, 0);

// ---- text-mode translation ---------------------------------------------------

struct TranslationCase {
  Bytes record;
  Bytes stored;
};

TEST(TextMode, TranslatesLineFeedsBothWays) {
  const TranslationCase cases[] = {
      {{}, {}},
      {{0x0A}, {0x0D, 0x0A}},
      {{0x0A, 0x0A}, {0x0D, 0x0A, 0x0D, 0x0A}},
      {{0x0D}, {0x0D}},
      {{0x0D, 0x0A}, {0x0D, 0x0D, 0x0A}},
      {{0x0A, 0x0D}, {0x0D, 0x0A, 0x0D}},
      {{0x41, 0x1A, 0x00, 0xFF, 0x0A, 0x42}, {0x41, 0x1A, 0x00, 0xFF, 0x0D, 0x0A, 0x42}},
  };
  for (const TranslationCase& c : cases) {
    EXPECT_EQ(ToStoredForm(c.record), c.stored);
    EXPECT_EQ(FromStoredForm(c.stored), c.record);
  }
}

TEST(TextMode, ReadingKeepsLoneBytesAndNeverStopsEarly) {
  // A 0x0A without its 0x0D, a 0x0D at the very end, and Ctrl+Z in between.
  EXPECT_EQ(FromStoredForm(Bytes{0x0A, 0x1A, 0x0D, 0x0D}), (Bytes{0x0A, 0x1A, 0x0D, 0x0D}));
  EXPECT_EQ(FromStoredForm(Bytes{0x0D, 0x0D, 0x0A, 0x00}), (Bytes{0x0D, 0x0A, 0x00}));
}

// ---- writing --------------------------------------------------------------------

TEST(PictureFileWrite, IconAndTenWideRecordByteForByte) {
  EXPECT_EQ(WritePictureFile(ViewOf(IconPicture()), "icon"), IconRecord);

  const Bytes ab = WritePictureFile(ViewOf(MakePicture(10, 2, std::vector<int>(20, 0))), "ab");
  EXPECT_EQ(ab.size(), 33u);
  EXPECT_EQ(ab, AbStored);
}

TEST(PictureFileWrite, EmptyNamePutsWidthRightAfterNameLength) {
  EXPECT_EQ(WritePictureFile(ViewOf(MakePicture(2, 2, {4, 3, 2, 1})), ""),
            (Bytes{0x02, 0, 0, 0, 0, 0, 0, 0, 0x02, 0x02, 0x04, 0x03, 0x02, 0x01}));
}

TEST(PictureFileWrite, SelectionBufferOfFiveByFour) {
  SelectionGrid selection;
  selection.Cells.Fill(PixelCode::White);
  selection.Width = 5;
  selection.Height = 4;
  for (int y = 1; y <= 4; ++y) {
    for (int x = 1; x <= 5; ++x) selection.Cells.At(x, y) = ToPixelCode((x + y) % 5);
  }
  const Bytes expected = {0x02, 0,   0,    0,    0x03, 0, 0, 0, 'b',
                          'o',  'x', 0x05, 0x04, 2,    3, 4, 0, 1,  // row 1
                          3,    4,   0,    1,    2,                 // row 2
                          4,    0,   1,    2,    3,                 // row 3
                          0,    1,   2,    3,    4};
  EXPECT_EQ(WritePictureFile(ViewOf(selection), "box"), expected);
}

TEST(PictureFileWrite, VersionOneUsesFourByteFields) {
  const Bytes expected = {0x01, 0, 0, 0, 0x01, 0, 0, 0, 'v',  0x02, 0, 0, 0,
                          0x01, 0, 0, 0, 0x04, 0, 0, 0, 0x02, 0,    0, 0};
  EXPECT_EQ(WritePictureFile(ViewOf(MakePicture(2, 1, {4, 2})), "v", 1), expected);
}

// ---- reading ---------------------------------------------------------------------

TEST(PictureFileRead, IconAndTenWideRecord) {
  const auto icon = ReadPictureFile(IconRecord);
  ASSERT_TRUE(icon.has_value()) << icon.error().message;
  EXPECT_EQ(*icon, (PictureRecord{"icon", 3, 2, Codes({0, 3, 4, 1, 2, 3})}));

  const auto ab = ReadPictureFile(AbStored);
  ASSERT_TRUE(ab.has_value()) << ab.error().message;
  EXPECT_EQ(*ab, (PictureRecord{"ab", 10, 2, std::vector<PixelCode>(20, PixelCode::Black)}));
}

TEST(PictureFileRead, HandBuiltVersionOneFile) {
  // Version 1, name "v1", 10 x 1 (the width's 0x0A stored as 0D 0A), codes 4-byte.
  Bytes stored = {0x01, 0, 0, 0, 0x02, 0, 0, 0, 'v', '1', 0x0D, 0x0A, 0, 0, 0, 0x01, 0, 0, 0};
  const int codes[] = {0, 1, 2, 3, 4, 4, 3, 2, 1, 0};
  for (int code : codes) stored.insert(stored.end(), {static_cast<std::uint8_t>(code), 0, 0, 0});
  const auto record = ReadPictureFile(stored);
  ASSERT_TRUE(record.has_value()) << record.error().message;
  EXPECT_EQ(*record, (PictureRecord{"v1", 10, 1, Codes({0, 1, 2, 3, 4, 4, 3, 2, 1, 0})}));
}

TEST(PictureFileRead, EveryOtherVersionUsesByteFields) {
  for (std::uint8_t version : {0x00, 0x02, 0x03, 0x0A, 0xFF}) {
    Bytes record = {version, 0, 0, 0, 0x01, 0, 0, 0, 'n', 0x02, 0x01, 0x03, 0x04};
    if (version == 0xFF) record[1] = record[2] = record[3] = 0xFF;  // version -1
    const auto read = ReadPictureFile(ToStoredForm(record));
    ASSERT_TRUE(read.has_value()) << "version " << int{version} << ": " << read.error().message;
    EXPECT_EQ(*read, (PictureRecord{"n", 2, 1, Codes({3, 4})}));
  }
}

TEST(PictureFileRead, IgnoresBytesAfterRecord) {
  const Bytes stored = Join({IconRecord, {0xFF, 0x0D, 0x0A, 0x07}});
  const auto record = ReadPictureFile(stored);
  ASSERT_TRUE(record.has_value()) << record.error().message;
  EXPECT_EQ(*record, (PictureRecord{"icon", 3, 2, Codes({0, 3, 4, 1, 2, 3})}));
}

TEST(PictureFileRead, AcceptsSizesAtBothLimits) {
  for (const auto& [w, h] : {std::pair{1, 1}, {1, 92}, {96, 1}, {96, 92}}) {
    const Picture picture = PatternPicture(w, h);
    const auto record = ReadPictureFile(WritePictureFile(ViewOf(picture), "edge"));
    ASSERT_TRUE(record.has_value()) << w << " x " << h << ": " << record.error().message;
    EXPECT_EQ(*record, RecordOf(picture, "edge"));
  }
}

// ---- round trips -----------------------------------------------------------------

struct RoundTripCase {
  std::string name;
  int width;
  int height;
};

TEST(PictureFileRoundTrip, NamesAndSizesWithLineEndBytes) {
  const RoundTripCase cases[] = {
      {"", 3, 2},
      {"ten chars!", 3, 2},
      {"thirteen char", 3, 2},
      {"w", 10, 10},
      {"w", 13, 13},
      {"w", 10, 13},
      {std::string("a\nb\rc\r\nd\n\re\x1A", 12), 13, 10},
      {std::string("\xE9t\xE9\0z", 5), 4, 3},  // Latin-1 and a zero byte
      {std::string(300, '\n'), 2, 2},
  };
  for (const RoundTripCase& c : cases) {
    SCOPED_TRACE(c.width * 100 + c.height);
    const Picture picture = PatternPicture(c.width, c.height);
    const Bytes stored = WritePictureFile(ViewOf(picture), c.name);

    const std::size_t record_size = 10 + c.name.size() + std::size_t(c.width * c.height);
    const auto line_feeds =
        static_cast<std::size_t>(std::count(c.name.begin(), c.name.end(), '\n') + (c.width == 10) +
                                 (c.height == 10) + (c.name.size() == 10));
    EXPECT_EQ(stored.size(), record_size + line_feeds);

    const auto record = ReadPictureFile(stored);
    ASSERT_TRUE(record.has_value()) << record.error().message;
    EXPECT_EQ(*record, RecordOf(picture, c.name));
  }
}

// ---- refusals --------------------------------------------------------------------

// A record built field by field, so each refusal differs from a good file in
// one place only.
struct RawRecord {
  std::int32_t version = 2;
  std::int32_t name_length = 1;
  std::string name = "n";
  std::int32_t width = 2;
  std::int32_t height = 2;
  std::vector<std::int32_t> codes = {0, 1, 2, 3};
  std::size_t cut_to = SIZE_MAX;  // keep only this many bytes of the record
};

Bytes Int32(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
          static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
}

Bytes Stored(const RawRecord& raw) {
  const bool wide = raw.version == 1;
  auto field = [wide](std::int32_t v) {
    return wide ? Int32(v) : Bytes{static_cast<std::uint8_t>(v)};
  };
  Bytes record =
      Join({Int32(raw.version), Int32(raw.name_length), Bytes(raw.name.begin(), raw.name.end()),
            field(raw.width), field(raw.height)});
  for (std::int32_t code : raw.codes) record = Join({record, field(code)});
  if (raw.cut_to < record.size()) record.resize(raw.cut_to);
  return ToStoredForm(record);
}

struct RefusalCase {
  const char* what;
  Bytes stored;
  const char* message_part;
};

std::vector<RefusalCase> RefusalCases() {
  return {
      {"empty file", {}, "too short"},
      {"seven bytes", Stored({.cut_to = 7}), "too short"},
      {"negative name length", Stored({.name_length = -1}), "negative"},
      {"most negative name length", Stored({.name_length = INT32_MIN}), "negative"},
      {"name beyond the file", Stored({.name_length = 1000}), "name length is 1000"},
      {"huge name length", Stored({.name_length = INT32_MAX}), "name length"},
      {"ends after the name", Stored({.cut_to = 9}), "width and height"},
      {"ends after the width", Stored({.cut_to = 10}), "width and height"},
      {"width 0", Stored({.width = 0, .codes = {}}), "width is 0"},
      {"height 0", Stored({.height = 0, .codes = {}}), "height is 0"},
      {"width 97", Stored({.width = 97, .height = 1, .codes = std::vector(97, 0)}), "width is 97"},
      {"height 93", Stored({.width = 1, .height = 93, .codes = std::vector(93, 0)}),
       "height is 93"},
      {"width 255", Stored({.width = 255, .height = 1}), "width is 255"},
      {"one pixel missing", Stored({.codes = {0, 1, 2}}), "after 3 of the picture's 4 pixels"},
      {"no pixels", Stored({.codes = {}}), "after 0 of"},
      {"code 5", Stored({.codes = {0, 1, 5, 3}}), "column 1, row 2 has the code 5"},
      {"code 255", Stored({.codes = {0, 1, 2, 255}}), "code 255"},
      {"v1 negative code", Stored({.version = 1, .codes = {0, -1, 2, 3}}), "code -1"},
      {"v1 code 256", Stored({.version = 1, .codes = {0, 1, 2, 256}}), "code 256"},
      {"v1 negative width", Stored({.version = 1, .width = -3}), "width is -3"},
      {"v1 negative height", Stored({.version = 1, .height = INT32_MIN}), "height is -2147483648"},
      {"v1 width 256", Stored({.version = 1, .width = 256}), "width is 256"},
      {"v1 huge size", Stored({.version = 1, .width = INT32_MAX, .height = INT32_MAX}),
       "width is 2147483647"},
      {"v1 last pixel cut", Stored({.version = 1, .cut_to = 16 + 1 + 15}), "after 3 of"},
      {"v1 height field cut", Stored({.version = 1, .cut_to = 16}), "width and height"},
  };
}

TEST(PictureFileRefusal, NamesTheFaultAndLeavesThePictureAlone) {
  auto state = std::make_unique<EditorState>();
  state->Document.Picture = PatternPicture(7, 5);
  const Picture before = state->Document.Picture;
  for (const RefusalCase& c : RefusalCases()) {
    SCOPED_TRACE(c.what);
    // As the open command does: only a record that was read is applied.
    const auto record = ReadPictureFile(c.stored);
    if (record.has_value()) {
      ApplyPictureRecord(state->Document.Picture, *record);
      ADD_FAILURE() << "accepted";
      continue;
    }
    EXPECT_NE(record.error().message.find(c.message_part), std::string::npos)
        << record.error().message;
    EXPECT_EQ(state->Document.Picture, before);
  }
}

TEST(PictureFileRefusal, GoodRecordOfTheSameShapeIsAccepted) {
  // The builder itself makes readable files; the refusals above differ only
  // in the field they name.
  const auto v2 = ReadPictureFile(Stored({}));
  ASSERT_TRUE(v2.has_value()) << v2.error().message;
  EXPECT_EQ(*v2, (PictureRecord{"n", 2, 2, Codes({0, 1, 2, 3})}));
  const auto v1 = ReadPictureFile(Stored({.version = 1, .codes = {4, 3, 2, 1}}));
  ASSERT_TRUE(v1.has_value()) << v1.error().message;
  EXPECT_EQ(*v1, (PictureRecord{"n", 2, 2, Codes({4, 3, 2, 1})}));
}

// ---- applying a record -------------------------------------------------------------

TEST(ApplyPictureRecord, WritesSizeAndCellsAndKeepsTheRest) {
  auto state = std::make_unique<EditorState>();
  state->Document.Picture.Cells.Fill(PixelCode::Transparent);
  state->Document.Picture.Width = 20;
  state->Document.Picture.Height = 20;
  const auto record = ReadPictureFile(IconRecord);
  ASSERT_TRUE(record.has_value());

  ApplyPictureRecord(state->Document.Picture, *record);

  const Picture& picture = state->Document.Picture;
  EXPECT_EQ(picture.Width, 3);
  EXPECT_EQ(picture.Height, 2);
  EXPECT_EQ(RecordOf(picture, "icon"), *record);
  for (int y = 1; y <= MaxPictureHeight; ++y) {
    for (int x = 1; x <= MaxPictureWidth; ++x) {
      if (x <= 3 && y <= 2) continue;
      ASSERT_EQ(picture.Cells.At(x, y), PixelCode::Transparent) << x << ", " << y;
    }
  }
}

TEST(ApplyPictureRecord, IgnoresRecordThatDoesNotFit) {
  auto state = std::make_unique<EditorState>();
  const Picture before = state->Document.Picture;
  const PictureRecord misfits[] = {
      {"wide", 97, 1, std::vector<PixelCode>(97)},
      {"short of codes", 2, 2, Codes({0, 1, 2})},
      {"empty", 0, 0, {}},
      {"bad code", 1, 1, {static_cast<PixelCode>(9)}},
  };
  for (const PictureRecord& record : misfits) {
    ApplyPictureRecord(state->Document.Picture, record);
    EXPECT_EQ(state->Document.Picture, before) << record.name;
  }
}

// A file may hold a picture one pixel wide, below the editor's own minimum of
// two; the editor must still draw and edit it without leaving the picture.
TEST(OneColumnPicture, EditorDrawsAndEditsWithinIt) {
  Editor editor;
  editor.Start();
  EditorState& s = EditorTestDoor::MutableState(editor);
  s.Document.Picture.Cells.Fill(PixelCode::Gray33);
  OpenPictureRecord(editor, PictureRecord{"line", 1, 3, Codes({0, 3, 0})});

  const int p = s.View.PixelSize;  // 5: grid lines on
  EXPECT_EQ(CanvasPixel(editor.Canvas(), 2, 2), ColorOf(PixelCode::Black).Argb());
  EXPECT_EQ(CanvasPixel(editor.Canvas(), 2, p + 2), ColorOf(PixelCode::White).Argb());
  EXPECT_EQ(CanvasPixel(editor.Canvas(), p + 2, 2),
            CanvasBackground.Argb());  // column 2 is not shown

  // Column 2 now holds White, the code the tools below meet inside.
  for (int y = 1; y <= 3; ++y) s.Document.Picture.Cells.At(2, y) = PixelCode::White;

  // The pen beside the column changes nothing; on it, the one cell.
  editor.MouseDown(MouseButton::Left, p + 1, 1);
  editor.MouseUp(MouseButton::Left, p + 1, 1);
  EXPECT_EQ(s.Document.Picture.Cells.At(2, 1), PixelCode::White);
  s.Tools.LeftColor = PixelCode::Transparent;
  editor.MouseDown(MouseButton::Left, 1, 1);
  editor.MouseMove(400, 2 * p + 1);  // dragged far right: clamped onto column 1, row 3
  editor.MouseUp(MouseButton::Left, 400, 2 * p + 1);
  EXPECT_EQ(s.Document.Picture.Cells.At(1, 1), PixelCode::Transparent);
  EXPECT_EQ(s.Document.Picture.Cells.At(1, 3), PixelCode::Transparent);
  EXPECT_EQ(s.Document.Picture.Cells.At(2, 3), PixelCode::White);

  // The bucket does not spread into the White beside the column.
  s.Tools.CurrentTool = DrawTool::Bucket;
  s.Tools.LeftColor = PixelCode::Gray66;
  editor.MouseDown(MouseButton::Left, 1, p + 1);
  EXPECT_EQ(s.Document.Picture.Cells.At(1, 2), PixelCode::Gray66);
  EXPECT_EQ(s.Document.Picture.Cells.At(2, 2), PixelCode::White);

  // Nor does the colour replacer.
  s.Document.Picture.Cells.At(2, 1) = PixelCode::Transparent;
  s.Tools.CurrentTool = DrawTool::ChangeColor;
  s.Tools.LeftColor = PixelCode::Black;
  editor.MouseDown(MouseButton::Left, 1, 1);
  EXPECT_EQ(s.Document.Picture.Cells.At(1, 1), PixelCode::Black);
  EXPECT_EQ(s.Document.Picture.Cells.At(1, 3), PixelCode::Black);
  EXPECT_EQ(s.Document.Picture.Cells.At(2, 1), PixelCode::Transparent);

  // Width arrow down stays at 1 rather than going to 0; up goes to 2.
  editor.WidthDown();
  EXPECT_EQ(s.Document.Picture.Width, 1);
  editor.WidthUp();
  EXPECT_EQ(s.Document.Picture.Width, 2);
  EXPECT_EQ(editor.Clamp(1000, 1000), (CellPoint{2 * p - 1, 3 * p - 1}));
}

}  // namespace
}  // namespace pictavo
