#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/imaging/bitmap_import.h"
#include "core/editing/editor.h"
#include "core/editing/image_import.h"
#include "core/editing/editor_test_door.h"
#include "core/documents/frame_import.h"
#include "core/formats/skin_file.h"
#include "test_models.h"

namespace pictavo {
namespace {

using testing::MakeIcon;

RgbImage Solid(int width, int height, std::uint8_t gray) {
  return RgbImage{width,
                  height,
                  std::vector<Rgb>(static_cast<std::size_t>(width) * height, {gray, gray, gray}),
                  {}};
}

struct FrameFixture : ::testing::Test {
  void Open(std::vector<TSkinIcon> icons, int current) {
    editor.Start();
    for (TSkinIcon& icon : icons) EditorTestDoor::MutableSkin(editor).Append(std::move(icon));
    EditorTestDoor::MutableState(editor).Document.SkinMode = true;
    SelectIconForTest(current);
  }
  void SelectIconForTest(int index) {
    EditorTestDoor::MutableState(editor).Document.CurrentIconIndex = index;
    EditorTestDoor::MutableState(editor).Document.CurrentSubIconIndex = 0;
  }
  const TSkinIcon& Icon(int i) const { return editor.Skin().At(i); }

  Editor editor;
};

TEST_F(FrameFixture, EachFrameBecomesOneSubIconAtTheIconsSize) {
  Open({MakeIcon(1, 1, 2, 4, 2, std::vector<std::uint8_t>(8, 3)),
        MakeIcon(2, 2, 4, 3, 2, std::vector<std::uint8_t>(12, 1))},
       1);
  EditorTestDoor::MutableState(editor).Document.CurrentSubIconIndex = 1;
  EditorTestDoor::PushUndo(editor);
  const TSkinIcon before_first = Icon(0);
  // Three frames larger than the 3 x 2 icon: their top-left part is taken.
  const std::vector<RgbImage> frames = {Solid(5, 5, 0), Solid(5, 5, 255), Solid(5, 5, 100)};
  const FrameImportOutcome outcome =
      ImportFramesIntoIcon(editor, frames, ConversionOptions{}, false);
  EXPECT_TRUE(outcome.imported);
  EXPECT_EQ(outcome.frames, 3);
  EXPECT_EQ(outcome.room, 255);
  const TSkinIcon& icon = Icon(1);
  EXPECT_EQ(icon.SubIcons, 3);
  EXPECT_EQ(icon.Width, 3);
  EXPECT_EQ(icon.BPP, 4);
  std::vector<std::uint8_t> expected(6, 0);
  expected.insert(expected.end(), 6, 3);
  expected.insert(expected.end(), 6, 1);  // 100 div 64
  EXPECT_EQ(icon.Data, expected);
  EXPECT_EQ(Icon(0), before_first);
  // Sub-icon 0 is current and in the Picture; no undo step is left.
  const DocumentState& document = editor.State().Document;
  EXPECT_EQ(document.CurrentSubIconIndex, 0);
  EXPECT_EQ(document.Picture.Width, 3);
  EXPECT_EQ(document.Picture.Cells.At(3, 2), PixelCode::Black);
  EXPECT_EQ(document.Undo.Count(), 0);
}

TEST_F(FrameFixture, CodesStayWithinWhatTheDepthStores) {
  // A frame half clear, half a ramp, smaller than the icon.
  RgbImage frame{6, 2, {}, {}};
  for (int i = 0; i < 12; ++i) {
    const auto g = static_cast<std::uint8_t>((i % 6) * 51);
    frame.pixels.push_back({g, g, g});
    frame.alpha.push_back(i % 6 < 3 ? 0 : 255);
  }
  ConversionOptions options;
  options.keep_transparency = true;
  options.dither = DitherMethod::FloydSteinberg;
  options.threshold = 85;
  for (int bpp : {1, 2, 4, 8}) {
    SCOPED_TRACE(bpp);
    const TSkinIcon icon = MakeIcon(1, 1, bpp, 8, 4, std::vector<std::uint8_t>(32, 0));
    const std::vector<std::uint8_t> data = FrameToSubIcon(frame, icon, options, false);
    ASSERT_EQ(data.size(), 32u);
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 8; ++x) {
        const std::uint8_t code = data[static_cast<std::size_t>(y * 8 + x)];
        if (bpp == 1) {
          EXPECT_TRUE(code == 0 || code == 3) << x << ", " << y;
        }
        if (bpp == 2) {
          EXPECT_LE(code, 3) << x << ", " << y;
        }
        const bool covered = x < 6 && y < 2;
        const bool clear = covered && x < 3;
        if (bpp >= 4) {
          // The clear half and the part the frame leaves are Transparent.
          EXPECT_EQ(code == 4, clear || !covered) << x << ", " << y;
        } else if (!covered) {
          EXPECT_EQ(code, 3) << x << ", " << y;
        }
      }
    }
  }
}

TEST_F(FrameFixture, FittedFramesKeepTheirAspectRatio) {
  const TSkinIcon icon = MakeIcon(1, 1, 4, 8, 8, std::vector<std::uint8_t>(64, 0));
  // 16 x 8 of black: fitted into 8 x 8 it is 8 x 4, the rest stays clear.
  const std::vector<std::uint8_t> data = FrameToSubIcon(Solid(16, 8, 0), icon, {}, true);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(data[static_cast<std::size_t>(y * 8 + x)], y < 4 ? 0 : 4) << x << ", " << y;
    }
  }
}

TEST_F(FrameFixture, RoomFollowsTheSubIconFieldAndTheStreamCapacity) {
  Open({MakeIcon(1, 1, 8, 96, 92, std::vector<std::uint8_t>(8832, 0))}, 0);
  // 34442 bytes less the end marker and one head: three 8832-byte sub-icons.
  EXPECT_EQ(SubIconRoom(editor.Skin(), 0), 3);
  const TSkinIcon big = Icon(0);
  const FrameImportOutcome refused = ImportFramesIntoIcon(
      editor, std::vector<RgbImage>(4, Solid(2, 2, 255)), ConversionOptions{}, false);
  EXPECT_FALSE(refused.imported);
  EXPECT_EQ(refused.frames, 4);
  EXPECT_EQ(refused.room, 3);
  EXPECT_EQ(Icon(0), big);

  // Three fit, and the skin then saves.
  EXPECT_TRUE(ImportFramesIntoIcon(editor, std::vector<RgbImage>(3, Solid(2, 2, 255)),
                                   ConversionOptions{}, false)
                  .imported);
  EXPECT_TRUE(BuildSkinStream(editor.Skin()).has_value());

  // Small icons are held back by the one-byte sub-icon count instead.
  Skin small;
  small.Append(MakeIcon(1, 1, 1, 8, 1, std::vector<std::uint8_t>(8, 0)));
  EXPECT_EQ(SubIconRoom(small, 0), MaxStoredSubIcons);
  EXPECT_EQ(SubIconRoom(small, 1), 0);
}

TEST_F(FrameFixture, NothingHappensOutsideSkinModeOrWithoutAnIcon) {
  Open({MakeIcon(1, 1, 4, 2, 2, std::vector<std::uint8_t>(4, 1))}, 0);
  const Skin before = editor.Skin();
  const std::vector<RgbImage> frames = {Solid(2, 2, 0)};
  EditorTestDoor::MutableState(editor).Document.SkinMode = false;
  EXPECT_FALSE(ImportFramesIntoIcon(editor, frames, {}, false).imported);
  EditorTestDoor::MutableState(editor).Document.SkinMode = true;
  SelectIconForTest(3);
  EXPECT_FALSE(ImportFramesIntoIcon(editor, frames, {}, false).imported);
  SelectIconForTest(0);
  EXPECT_FALSE(ImportFramesIntoIcon(editor, {}, {}, false).imported);
  EXPECT_EQ(editor.Skin(), before);

  // Through the window's state: no image, nothing to import.
  BitmapImport import;
  EXPECT_FALSE(ImportFrames(import, editor).imported);
  import.OpenFrames({Solid(2, 2, 0), Solid(2, 2, 255)});
  EXPECT_TRUE(ImportFrames(import, editor).imported);
  EXPECT_EQ(Icon(0).Data, (std::vector<std::uint8_t>{0, 0, 0, 0, 3, 3, 3, 3}));
}

}  // namespace
}  // namespace pictavo
