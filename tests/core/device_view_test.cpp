// What the canvas and the panels show beside the document: the device
// preview's colours and layout, and the onion skin's faint frames, which
// colour the canvas and nothing else.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/editing/document_io.h"
#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"
#include "core/editing/icon_browser.h"
#include "core/render/device_preview.h"
#include "core/render/preview_raster.h"
#include "test_models.h"

namespace pictavo {
namespace {

constexpr std::uint32_t Argb(int r, int g, int b) {
  return 0xFF000000u | std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b);
}
const DeviceLook kGreen{{0, 85, 170, 255}, Rgb{155, 188, 15}};

TEST(DevicePreview, CodesTakeTheDeviceGraysUnderItsBacklight) {
  // Black, Gray66, Gray33, White, Transparent.
  const std::pair<DeviceLook, CodePalette> rows[] = {
      {{{0, 85, 170, 255}, std::nullopt},
       {{{0, 0, 0}, {85, 85, 85}, {170, 170, 170}, {255, 255, 255}, {255, 255, 255}}}},
      {kGreen, {{{0, 0, 0}, {52, 63, 5}, {103, 125, 10}, {155, 188, 15}, {155, 188, 15}}}},
      {{{40, 100, 160, 220}, Rgb{255, 176, 0}},
       {{{40, 28, 0}, {100, 69, 0}, {160, 110, 0}, {220, 152, 0}, {220, 152, 0}}}},
  };
  for (const auto& [look, expected] : rows) EXPECT_EQ(DevicePalette(look), expected);
}

TEST(DevicePreview, DrawsThePictureAtOneAndTwoToOneOnItsSurround) {
  // 3 x 2: Black, White, Transparent over Gray66, Gray33, White; 1:1 from
  // (6, 6), 2:1 from (6, 6 + 2 + 8).
  const DevicePreviewSize size = DevicePreviewSizeFor(3, 2);
  ASSERT_EQ(size, (DevicePreviewSize{18, 26}));
  std::vector<std::uint32_t> pixels;
  DrawDevicePreview(ViewOf(testing::IconExample()), DevicePalette(kGreen), Rgb{9, 9, 9}, size.width,
                    size.height, pixels);
  ASSERT_EQ(pixels.size(), std::size_t{18 * 26});
  const std::uint32_t lit = Argb(155, 188, 15), back = Argb(9, 9, 9);
  // clang-format off
  const struct { int x, y; std::uint32_t argb; } expected[] = {
      {6, 6, Argb(0, 0, 0)}, {7, 6, lit}, {8, 6, lit}, {6, 7, Argb(52, 63, 5)},
      {7, 7, Argb(103, 125, 10)}, {9, 6, back}, {5, 6, back}, {6, 8, back},
      {6, 16, Argb(0, 0, 0)}, {7, 17, Argb(0, 0, 0)}, {8, 16, lit}, {11, 19, lit},
      {6, 18, Argb(52, 63, 5)}, {12, 16, back}, {6, 20, back}, {17, 25, back}};
  // clang-format on
  for (const auto& e : expected) {
    EXPECT_EQ(pixels[static_cast<std::size_t>(e.y * 18 + e.x)], e.argb) << e.x << ", " << e.y;
  }
  // A smaller buffer keeps what fits.
  DrawDevicePreview(ViewOf(testing::IconExample()), DevicePalette(kGreen), Rgb{9, 9, 9}, 8, 7,
                    pixels);
  ASSERT_EQ(pixels.size(), std::size_t{56});
  EXPECT_EQ(pixels[6 * 8 + 7], lit);
}

TEST(DevicePreview, FramesPreviewTakesTheDeviceColours) {
  const TSkinIcon icon = testing::MakeIcon(1, 2, 4, 2, 1, {0, 4, 1, 3});
  std::vector<std::uint32_t> pixels;
  DrawPreview(&icon, 1, 4, 6, Rgb{1, 2, 3}, pixels, DevicePalette(kGreen));
  // Two cells of 4 x 3 in one column: the frames' pixels at their tops.
  EXPECT_EQ(pixels[0], Argb(0, 0, 0));
  EXPECT_EQ(pixels[1], Argb(155, 188, 15));
  EXPECT_EQ(pixels[2], Argb(1, 2, 3));
  EXPECT_EQ(pixels[3 * 4], Argb(52, 63, 5));
}

TEST(OnionSkin, DifferingFramesAreMixedInAQuarterEach) {
  const std::uint8_t previous[] = {0, 3, 4, 2};
  const std::uint8_t next[] = {1, 3, 3, 2};
  const OnionFrames both{previous, next, 2, 2};
  const OnionFrames before{previous, nullptr, 2, 2};
  const struct {
    const OnionFrames& onion;
    int x, y;
    PixelCode own;
    std::uint32_t expected;
  } rows[] = {
      {before, 1, 1, PixelCode::White, Argb(191, 191, 191)},  // 3 x 255 + 0, over 4
      {both, 1, 1, PixelCode::White, Argb(179, 179, 179)},    // 3 x 255 + 0 + 128, over 5
      {before, 1, 2, PixelCode::Black, Argb(0, 32, 32)},      // a quarter of teal
      {both, 2, 1, PixelCode::White, Argb(255, 255, 255)},    // the same code: unchanged
      {both, 2, 2, PixelCode::Black, Argb(77, 77, 77)},       // 33 % gray in both, over 5
      {both, 3, 1, PixelCode::Gray66, Argb(128, 128, 128)},   // outside the frames
  };
  for (const auto& row : rows) {
    EXPECT_EQ(OnionArgb(row.onion, row.x, row.y, row.own), row.expected) << row.x << ", " << row.y;
  }
}

// The canvas of frame 1 of three 4 x 4 White frames, frame 0 with a black
// top row, drawn on with the pen at size 10, onion skin on (both frames) or
// off: cell (1, 1) left as it was, cell (3, 1) painted alone by a move.
std::pair<std::uint32_t, std::uint32_t> DrawOnFrameOne(bool onion) {
  Editor editor;
  editor.Start();
  std::vector<std::uint8_t> data(4 * 4 * 3, 3);
  std::fill(data.begin(), data.begin() + 4, std::uint8_t{0});
  Skin skin;
  skin.Append(testing::MakeIcon(7, 3, 4, 4, 4, std::move(data)));
  OpenSkinIntoEditor(editor, std::move(skin), "frames");
  EditorState& s = EditorTestDoor::MutableState(editor);
  editor.SetPixelSizeFromMenu(10);
  s.Document.CurrentSubIconIndex = 1;
  LoadSubIcon(editor);
  editor.SetOnionSkin(onion, onion);
  s.Tools.LeftColor = PixelCode::Gray33;
  editor.MouseDown(MouseButton::Left, 15, 5);
  editor.MouseMove(25, 5);
  editor.MouseUp(MouseButton::Left, 25, 5);
  return {testing::CanvasPixel(editor.Canvas(), 5, 5), testing::CanvasPixel(editor.Canvas(), 25, 5)};
}

TEST(OnionSkin, ShowsOnTheWholeRedrawAndOnEachPenDot) {
  EXPECT_EQ(DrawOnFrameOne(false), std::pair(Argb(255, 255, 255), Argb(192, 192, 192)));
  // Over frame 0's black; the dot also over frame 2's white: 3 x 192 + 0 + 255, over 5.
  EXPECT_EQ(DrawOnFrameOne(true), std::pair(Argb(191, 191, 191), Argb(166, 166, 166)));
}

}  // namespace
}  // namespace pictavo
