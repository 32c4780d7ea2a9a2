#include <gtest/gtest.h>
#include <lzo/lzo1x.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/editing/document_io.h"
#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"
#include "core/formats/skin_file.h"
#include "core/model/skin.h"
#include "test_models.h"

namespace pictavo {
namespace {

using Bytes = std::vector<std::uint8_t>;

using testing::MakeIcon;

Skin SkinOf(std::vector<TSkinIcon> icons) {
  Skin skin;
  for (TSkinIcon& icon : icons) skin.Append(std::move(icon));
  return skin;
}

Bytes Compress(const Bytes& stream) {
  EXPECT_EQ(lzo_init(), LZO_E_OK);
  Bytes out(stream.size() + stream.size() / 16 + 64 + 3);
  std::vector<lzo_align_t> work(LZO1X_999_MEM_COMPRESS / sizeof(lzo_align_t) + 1);
  lzo_uint length = out.size();
  EXPECT_EQ(lzo1x_999_compress(stream.data(), stream.size(), out.data(), &length, work.data()),
            LZO_E_OK);
  out.resize(length);
  return out;
}

// A skin file around a hand-made stream; the head's length may lie.
Bytes FileFromStream(const Bytes& stream, std::optional<std::uint32_t> length = std::nullopt) {
  const std::uint32_t l = length.value_or(static_cast<std::uint32_t>(stream.size()));
  Bytes file{'P', 'V', 'S', 'K', 'h', 'a', 'n', 'd', 0, 0, 0, 0, 0, 0, 0, 0,
             0,   0,   0,   0,   0,   0,   0,   0,   0, 0, 0, 0, 0, 0, 0, 0};
  for (int i = 0; i < 4; ++i) file[24 + i] = static_cast<std::uint8_t>(l >> (8 * i));
  const Bytes packed = Compress(stream);
  file.insert(file.end(), packed.begin(), packed.end());
  return file;
}

Bytes Decompress(const Bytes& file) {
  const std::uint32_t l = file[24] | file[25] << 8 | file[26] << 16 | file[27] << 24;
  Bytes out(l);
  lzo_uint length = out.size();
  EXPECT_EQ(lzo1x_decompress_safe(file.data() + 32, file.size() - 32, out.data(), &length, nullptr),
            LZO_E_OK);
  out.resize(length);
  return out;
}

Bytes StreamOf(const Skin& skin) {
  auto stream = BuildSkinStream(skin);
  EXPECT_TRUE(stream.has_value()) << stream.error().message;
  return stream.has_value() ? *stream : Bytes{};
}

Skin ReadBack(const Bytes& file) {
  SkinFileRead read = ReadSkinFile(file);
  EXPECT_TRUE(read.skin.has_value()) << read.skin.error().message;
  return read.skin.has_value() ? *read.skin : Skin{};
}

Bytes Written(const Skin& skin, std::string_view name = "skin") {
  auto file = WriteSkinFile(skin, name);
  EXPECT_TRUE(file.has_value()) << file.error().message;
  return file.has_value() ? *file : Bytes{};
}

constexpr std::uint8_t B = 0, G66 = 1, G33 = 2, W = 3, T = 4;

// ---- writing ---------------------------------------------------------------------

TEST(SkinFileWrite, EmptySkinNamedAbcByteForByte) {
  const Bytes file = Written(Skin{}, "abc");
  ASSERT_GT(file.size(), 32u);
  const Bytes head(file.begin(), file.begin() + 32);
  EXPECT_EQ(head, (Bytes{'P', 'V', 'S', 'K', 0x61, 0x62, 0x63, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                         0,   0,   0,   0,   0,    0,    0,    0, 1, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Decompress(file), (Bytes{0xFF}));
}

TEST(SkinFileWrite, SixteenCharacterNameHasNoTerminator) {
  const Bytes file = Written(Skin{}, "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(
      Bytes(file.begin() + 4, file.begin() + 20),
      Bytes({'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O', 'P'}));
  EXPECT_EQ(file[20], 0);
  EXPECT_EQ(ReadSkinFile(file).name, "ABCDEFGHIJKLMNOP");
}

TEST(SkinFileWrite, LongerNameIsCutToTheField) {
  const Bytes file = Written(Skin{}, "ABCDEFGHIJKLMNOPQRS");
  EXPECT_EQ(ReadSkinFile(file).name, "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(file[20], 0);
  EXPECT_EQ(file[24], 1);
}

struct PackCase {
  const char* what;
  TSkinIcon icon;
  Bytes stream;
};

TEST(SkinStreamPacking, MasksLowBitsFirstPixelLowest) {
  const PackCase cases[] = {
      {"2 bpp", MakeIcon(5, 1, 2, 4, 1, {W, B, G33, G66}), {0x05, 0x01, 0x02, 0x04, 0x01, 0x63}},
      {"1 bpp",
       MakeIcon(9, 1, 1, 8, 1, {W, B, B, W, G66, G33, T, W}),
       {0x09, 0x01, 0x01, 0x08, 0x01, 0x99}},
      {"4 bpp keeps transparent", MakeIcon(1, 1, 4, 2, 1, {T, G33}), {1, 1, 4, 2, 1, 0x24}},
      {"2 bpp drops transparent", MakeIcon(2, 1, 2, 4, 1, {T, W, T, G66}), {2, 1, 2, 4, 1, 0x4C}},
      {"8 bpp one per byte", MakeIcon(3, 2, 8, 1, 1, {T, G66}), {3, 2, 8, 1, 1, 4, 1}},
      {"sub-icons follow each other",
       MakeIcon(0xFE, 2, 4, 2, 1, {1, 2, 3, 4}),
       {0xFE, 2, 4, 2, 1, 0x21, 0x43}},
      // 36 bits: four whole bytes, the ninth pixel is not written.
      {"partial last byte",
       MakeIcon(7, 1, 4, 3, 3, {3, 3, 3, 3, 3, 3, 3, 3, 3}),
       {7, 1, 4, 3, 3, 0x33, 0x33, 0x33, 0x33}},
  };
  for (const PackCase& c : cases) {
    Bytes expected = c.stream;
    expected.push_back(0xFF);
    EXPECT_EQ(StreamOf(SkinOf({c.icon})), expected) << c.what;
  }
}

TEST(SkinStreamPacking, OneBppExampleReadsBackAsWhiteAndBlack) {
  const Bytes file = Written(SkinOf({MakeIcon(9, 1, 1, 8, 1, {W, B, B, W, G66, G33, T, W})}));
  EXPECT_EQ(Decompress(file), (Bytes{0x09, 0x01, 0x01, 0x08, 0x01, 0x99, 0xFF}));
  const Skin back = ReadBack(file);
  ASSERT_EQ(back.Count(), 1);
  EXPECT_EQ(back.At(0).Data, (Bytes{W, B, B, W, W, B, B, W}));
}

TEST(SkinStreamPacking, TransparentSurvivesFourBppAndIsBlackAtTwo) {
  const Skin skin =
      SkinOf({MakeIcon(1, 1, 4, 2, 1, {T, G33}), MakeIcon(2, 1, 2, 4, 1, {T, W, T, G66})});
  const Skin back = ReadBack(Written(skin));
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back.At(0).Data, (Bytes{T, G33}));
  EXPECT_EQ(back.At(1).Data, (Bytes{B, W, B, G66}));
}

TEST(SkinStreamCapacityLimit, ExactlyFullSavesOneByteMoreIsRefused) {
  // Three 96 x 92, one 96 x 80 and one 16 x 15 icon at 8 bpp: 34441 bytes of
  // icons and the end marker.
  std::vector<TSkinIcon> icons;
  for (int i = 0; i < 3; ++i) icons.push_back(MakeIcon(i, 1, 8, 96, 92, Bytes(96 * 92, i % 5)));
  icons.push_back(MakeIcon(3, 1, 8, 96, 80, Bytes(96 * 80, 2)));
  icons.push_back(MakeIcon(4, 1, 8, 16, 15, Bytes(16 * 15, 1)));
  Skin full = SkinOf(icons);
  EXPECT_EQ(StreamOf(full).size(), SkinStreamCapacity);
  EXPECT_EQ(ReadBack(Written(full)), full);

  full.Append(MakeIcon(5, 1, 1, 8, 1, Bytes(8, 3)));
  const auto refused = WriteSkinFile(full, "big");
  ASSERT_FALSE(refused.has_value());
  EXPECT_NE(refused.error().message.find("too large"), std::string::npos)
      << refused.error().message;
  EXPECT_NE(refused.error().message.find("6 bytes more"), std::string::npos)
      << refused.error().message;
}

TEST(SkinFileWrite, RefusesIconsAFileCannotGiveBack) {
  const struct {
    const char* what;
    TSkinIcon icon;
  } cases[] = {
      {"ID of the end marker", MakeIcon(255, 1, 4, 2, 1, {0, 0})},
      {"depth 3", MakeIcon(1, 1, 3, 8, 1, Bytes(8, 0))},
      {"256 sub-icons", MakeIcon(1, 256, 1, 8, 1, Bytes(8 * 256, 0))},
      {"no sub-icon", MakeIcon(1, 0, 4, 2, 1, {})},
      {"too wide", MakeIcon(1, 1, 8, 97, 1, Bytes(97, 0))},
      {"too few pixels", MakeIcon(1, 1, 4, 2, 2, {0, 0, 0})},
      {"code above 4", MakeIcon(1, 1, 8, 1, 1, {5})},
  };
  for (const auto& c : cases) {
    const auto file = WriteSkinFile(SkinOf({c.icon}), "x");
    EXPECT_FALSE(file.has_value()) << c.what;
  }
}

TEST(SkinFileWrite, IdWhoseLowByteIsTheEndMarkerIsRefusedByName) {
  // Only the low byte of an ID is stored, so 0x1FF would end the stream too.
  for (const int id : {0xFF, 0x1FF}) {
    const Skin skin = SkinOf({MakeIcon(1, 1, 4, 2, 1, {0, 0}), MakeIcon(id, 1, 4, 2, 1, {0, 0})});
    const auto stream = BuildSkinStream(skin);
    ASSERT_FALSE(stream.has_value()) << id;
    EXPECT_EQ(stream.error().message,
              "icon 2 (0xFF) has the ID 0xFF, which a skin file keeps for its end marker");
    const auto file = WriteSkinFile(skin, "x");
    ASSERT_FALSE(file.has_value()) << id;
    EXPECT_EQ(file.error().message, stream.error().message);
  }
}

// ---- reading ---------------------------------------------------------------------

TEST(SkinFileRead, StreamOfOnlyTheEndMarkerIsAnEmptySkin) {
  const SkinFileRead read = ReadSkinFile(FileFromStream({0xFF}));
  EXPECT_EQ(read.name, "hand");
  ASSERT_TRUE(read.skin.has_value());
  EXPECT_EQ(read.skin->Count(), 0);
}

TEST(SkinFileRead, BytesAfterTheEndMarkerAreIgnored) {
  const Skin skin = ReadBack(FileFromStream({5, 1, 2, 4, 1, 0x63, 0xFF, 1, 2, 3}));
  ASSERT_EQ(skin.Count(), 1);
  EXPECT_EQ(skin.At(0), MakeIcon(5, 1, 2, 4, 1, {W, B, G33, G66}));
}

TEST(SkinFileRead, HeadLongerThanTheStreamIsAccepted) {
  const Skin skin = ReadBack(FileFromStream({5, 1, 2, 4, 1, 0x63, 0xFF}, 5000));
  EXPECT_EQ(skin.Count(), 1);
}

TEST(SkinFileRead, PartialLastByteLeavesTheLastEntriesBlack) {
  // 3 x 3 at 4 bpp: four packed bytes carry eight pixels, the ninth is Black.
  const Skin skin = ReadBack(FileFromStream({7, 1, 4, 3, 3, 0x21, 0x43, 0x12, 0x34, 0xFF}));
  ASSERT_EQ(skin.Count(), 1);
  EXPECT_EQ(skin.At(0).Data, (Bytes{1, 2, 3, 4, 2, 1, 4, 3, 0}));
}

TEST(SkinFileRead, LargestIconsAreAccepted) {
  Bytes stream{1, 1, 1, 96, 92};
  stream.resize(5 + 96 * 92 / 8, 0xFF);
  stream.push_back(0xFF);
  const Skin skin = ReadBack(FileFromStream(stream));
  ASSERT_EQ(skin.Count(), 1);
  EXPECT_EQ(skin.At(0).Data, Bytes(96 * 92, W));
}

TEST(SkinFileRead, NameFieldOfShortOrFailingFiles) {
  EXPECT_EQ(ReadSkinFile(Bytes{}).name, "");
  EXPECT_EQ(ReadSkinFile(Bytes{'P', 'V', 'S', 'K', 'a', 'b'}).name, "ab");
  Bytes junk(40, 0x5A);
  junk[4] = 'n';
  junk[5] = 'm';
  junk[6] = 0;
  const SkinFileRead read = ReadSkinFile(junk);
  EXPECT_EQ(read.name, "nm");
  EXPECT_FALSE(read.skin.has_value());
}

TEST(SkinFileRead, OnlyTheFirst65536BytesAreRead) {
  // An incompressible stream whose compressed block runs past the limit.
  std::mt19937 random(7);
  Bytes stream;
  for (int i = 0; i < 40; ++i) {
    const Bytes head{static_cast<std::uint8_t>(i), 1, 2, 96, 92};
    stream.insert(stream.end(), head.begin(), head.end());
    for (int j = 0; j < 96 * 92 * 2 / 8; ++j) stream.push_back(random() & 0xFF);
  }
  stream.push_back(0xFF);
  const Bytes file = FileFromStream(stream);
  ASSERT_GT(file.size(), SkinReadLimit);
  const SkinFileRead read = ReadSkinFile(file);
  ASSERT_FALSE(read.skin.has_value());
  EXPECT_NE(read.skin.error().message.find("65536"), std::string::npos);
}

struct DamagedCase {
  const char* what;
  Bytes file;
};

std::vector<DamagedCase> DamagedFiles() {
  const Bytes good = FileFromStream({5, 1, 2, 4, 1, 0x63, 0xFF});
  Bytes trailing = good;
  trailing.push_back(0);
  Bytes trailing_text = good;
  trailing_text.insert(trailing_text.end(), {'j', 'u', 'n', 'k'});
  const Bytes cut(good.begin(), good.end() - 1);
  const Bytes head_only(good.begin(), good.begin() + 32);
  const Bytes short_head(good.begin(), good.begin() + 20);
  Bytes garbage = good;
  for (std::size_t i = 32; i < garbage.size(); ++i) garbage[i] = 0xEE;
  return {
      {"trailing zero byte", trailing},
      {"trailing text", trailing_text},
      {"block cut short", cut},
      {"head without block", head_only},
      {"shorter than the head", short_head},
      {"not LZO data", garbage},
      {"stream longer than its head says", FileFromStream({5, 1, 2, 4, 1, 0x63, 0xFF}, 6)},
      {"stream length 0", FileFromStream({0xFF}, 0)},
      {"no end marker", FileFromStream({5, 1, 2, 4, 1, 0x63})},
      {"empty stream", FileFromStream({})},
      {"ends inside an icon head", FileFromStream({5, 1, 2})},
      {"ends inside the pixels", FileFromStream({5, 1, 2, 8, 1, 0x63})},
      {"depth 0", FileFromStream({5, 1, 0, 8, 1, 0xFF})},
      {"depth 3", FileFromStream({5, 1, 3, 8, 1, 0, 0, 0, 0xFF})},
      {"depth 16", FileFromStream({5, 1, 16, 1, 1, 0, 0, 0xFF})},
      {"width 0", FileFromStream({5, 1, 8, 0, 1, 0xFF})},
      {"width 97", FileFromStream({5, 1, 1, 97, 8, 0xFF})},
      {"height 0", FileFromStream({5, 1, 8, 1, 0, 0xFF})},
      {"height 93", FileFromStream({5, 1, 1, 8, 93, 0xFF})},
      {"no sub-icon", FileFromStream({5, 0, 1, 8, 1, 0xFF})},
      {"code 5 at 4 bpp", FileFromStream({5, 1, 4, 2, 1, 0x50, 0xFF})},
      {"code 9 at 8 bpp", FileFromStream({5, 1, 8, 1, 1, 9, 0xFF})},
      {"bad second icon", FileFromStream({5, 1, 2, 4, 1, 0x63, 6, 1, 4, 2, 1, 0xF0, 0xFF})},
  };
}

TEST(SkinFileRead, EveryDamagedFileIsRefusedAndTheEditorKeepsItsSkin) {
  Editor editor;
  OpenSkinIntoEditor(editor, SkinOf({MakeIcon(1, 2, 4, 4, 1, {T, W, B, G33, G66, G66, B, B})}), "");
  EditorTestDoor::MutableState(editor).Document.CurrentSubIconIndex = 1;
  EditorTestDoor::MutableState(editor).Document.Picture.Cells.At(1, 1) = PixelCode::Gray33;
  const Skin old_skin = editor.Skin();
  const Picture old_picture = editor.State().Document.Picture;

  for (const DamagedCase& c : DamagedFiles()) {
    SkinFileRead read = ReadSkinFile(c.file);
    ASSERT_FALSE(read.skin.has_value()) << c.what;
    EXPECT_FALSE(read.skin.error().message.empty()) << c.what;
    // What the window does on a failed open.
    editor.LeaveSkinMode();
    EXPECT_EQ(editor.Skin(), old_skin) << c.what;
    EXPECT_EQ(editor.State().Document.Picture, old_picture) << c.what;
    EXPECT_FALSE(editor.State().Document.SkinMode);
    EditorTestDoor::MutableState(editor).Document.SkinMode = true;
  }
}

// ---- round trips -----------------------------------------------------------------

// Codes each depth can hold, in a pattern with shapes rather than noise.
Bytes Pattern(int sub_icons, int width, int height, int bpp, int seed) {
  Bytes data;
  for (int s = 0; s < sub_icons; ++s) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        int code = ((x + seed) / 3 + (y + s) / 2) % 5;
        if (bpp == 2 && code == T) code = G33;
        if (bpp == 1) code = code >= G33 ? W : B;
        data.push_back(static_cast<std::uint8_t>(code));
      }
    }
  }
  return data;
}

TEST(SkinFileRoundTrip, ManyIconsAndSubIconsAtEveryDepth) {
  const struct {
    int sub_icons, bpp, width, height;
  } shapes[] = {{1, 1, 8, 1},   {3, 1, 16, 16}, {2, 2, 4, 4},   {5, 2, 10, 6},  {1, 4, 2, 1},
                {4, 4, 32, 32}, {2, 8, 3, 3},   {1, 8, 1, 1},   {2, 1, 96, 92}, {1, 4, 6, 20},
                {7, 2, 12, 2},  {1, 1, 3, 8},   {255, 1, 8, 1}, {1, 4, 96, 1},  {2, 8, 1, 92}};
  Skin skin;
  int id = 0;
  for (const auto& s : shapes) {
    skin.Append(MakeIcon(id, s.sub_icons, s.bpp, s.width, s.height,
                         Pattern(s.sub_icons, s.width, s.height, s.bpp, id)));
    id += 17;
  }
  const Bytes file = Written(skin, "round trip");
  const SkinFileRead read = ReadSkinFile(file);
  EXPECT_EQ(read.name, "round trip");
  ASSERT_TRUE(read.skin.has_value()) << read.skin.error().message;
  EXPECT_EQ(*read.skin, skin);
  EXPECT_EQ(IconLabels(*read.skin), IconLabels(skin));
}

// ---- opening into the editor -------------------------------------------------------

TEST(OpenSkinIntoEditor, LoadsIconZeroSubIconZeroAndEmptiesUndo) {
  Editor editor;
  EditorTestDoor::MutableState(editor).Document.CurrentIconIndex = 2;
  EditorTestDoor::MutableState(editor).Document.CurrentSubIconIndex = 1;
  EditorTestDoor::PushUndo(editor);
  const Skin skin = ReadBack(Written(SkinOf({
      MakeIcon(0x10, 2, 4, 3, 8, Pattern(2, 3, 8, 4, 1)),
      MakeIcon(0x11, 1, 4, 2, 4, Pattern(1, 2, 4, 4, 2)),
  })));
  OpenSkinIntoEditor(editor, skin, "");
  const EditorState& s = editor.State();
  EXPECT_TRUE(s.Document.SkinMode);
  EXPECT_EQ(s.Document.CurrentIconIndex, 0);
  EXPECT_EQ(s.Document.CurrentSubIconIndex, 0);
  EXPECT_EQ(s.Document.Undo.Count(), 0);
  EXPECT_EQ(editor.Skin(), skin);
  EXPECT_EQ(s.Document.Picture.Width, 3);
  EXPECT_EQ(s.Document.Picture.Height, 8);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(ToInt(s.Document.Picture.Cells.At(x + 1, y + 1)), skin.At(0).Data[3 * y + x]);
    }
  }
}

TEST(OpenSkinIntoEditor, EmptySkinEntersSkinModeAndLoadsNothing) {
  Editor editor;
  EditorTestDoor::MutableSkin(editor).Append(MakeIcon(1, 1, 4, 2, 1, {1, 1}));
  EditorTestDoor::MutableState(editor).Document.Picture.Cells.At(3, 3) = PixelCode::White;
  const Picture before = editor.State().Document.Picture;
  OpenSkinIntoEditor(editor, ReadBack(FileFromStream({0xFF})), "");
  EXPECT_TRUE(editor.State().Document.SkinMode);
  EXPECT_EQ(editor.Skin().Count(), 0);
  EXPECT_EQ(editor.State().Document.Picture, before);
}

}  // namespace
}  // namespace pictavo
