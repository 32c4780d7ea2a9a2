// What the canvas and the panels show beside the document: the device
// preview's colours and layout, and the onion skin's faint frames, which
// colour the canvas and nothing else.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/documents/export_catalogue.h"
#include "core/editing/document_io.h"
#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"
#include "core/editing/icon_browser.h"
#include "core/formats/skin_file.h"
#include "core/render/device_preview.h"
#include "core/render/preview_raster.h"
#include "test_models.h"

namespace pictavo {
namespace {

using testing::IconExample;
using testing::MakeIcon;

constexpr std::uint32_t Argb(int r, int g, int b) {
  return Rgb{std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)}.Argb();
}

TEST(DevicePreview, CodesTakeTheDeviceGraysUnderItsBacklight) {
  struct Row {
    DeviceLook look;
    CodePalette expected;  // Black, Gray66, Gray33, White, Transparent
  };
  const Row rows[] = {
      {{{0, 85, 170, 255}, std::nullopt},
       {{{0, 0, 0}, {85, 85, 85}, {170, 170, 170}, {255, 255, 255}, {255, 255, 255}}}},
      {{{0, 85, 170, 255}, Rgb{155, 188, 15}},
       {{{0, 0, 0}, {52, 63, 5}, {103, 125, 10}, {155, 188, 15}, {155, 188, 15}}}},
      {{{40, 100, 160, 220}, Rgb{255, 176, 0}},
       {{{40, 28, 0}, {100, 69, 0}, {160, 110, 0}, {220, 152, 0}, {220, 152, 0}}}},
  };
  for (const Row& row : rows) EXPECT_EQ(DevicePalette(row.look), row.expected);
}

TEST(DevicePreview, DrawsThePictureAtOneAndTwoToOneOnItsSurround) {
  // 3 x 2: Black, White, Transparent over Gray66, Gray33, White.
  const Picture picture = IconExample();
  const CodePalette colors = DevicePalette({{0, 85, 170, 255}, Rgb{155, 188, 15}});
  const Rgb surround{240, 240, 240};
  const DevicePreviewSize size = DevicePreviewSizeFor(3, 2);
  ASSERT_EQ(size, (DevicePreviewSize{6 + 6 + 6, 6 + 2 + 8 + 4 + 6}));
  std::vector<std::uint32_t> pixels;
  DrawDevicePreview(ViewOf(picture), colors, surround, size.width, size.height, pixels);
  ASSERT_EQ(pixels.size(), std::size_t(18 * 26));
  const auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y * 18 + x)]; };
  const std::uint32_t lit = Argb(155, 188, 15), dark = Argb(0, 0, 0), g66 = Argb(52, 63, 5),
                      g33 = Argb(103, 125, 10), back = surround.Argb();
  const std::uint32_t codes[2][3] = {{dark, lit, lit}, {g66, g33, lit}};
  std::vector<std::uint32_t> expected(pixels.size(), back);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      expected[static_cast<std::size_t>((6 + y) * 18 + 6 + x)] = codes[y][x];
      for (int d = 0; d < 4; ++d) {
        const int px = 6 + 2 * x + d % 2, py = 6 + 2 + 8 + 2 * y + d / 2;
        expected[static_cast<std::size_t>(py * 18 + px)] = codes[y][x];
      }
    }
  }
  EXPECT_EQ(pixels, expected);
  EXPECT_EQ(at(6, 6), dark);
  EXPECT_EQ(at(17, 25), back);
  // A buffer smaller than the preview keeps what fits.
  DrawDevicePreview(ViewOf(picture), colors, surround, 8, 7, pixels);
  EXPECT_EQ(pixels.size(), std::size_t(56));
  EXPECT_EQ(pixels[6 * 8 + 7], lit);
}

TEST(DevicePreview, FramesPreviewTakesTheDeviceColours) {
  const TSkinIcon icon = MakeIcon(1, 2, 4, 2, 1, {0, 4, 1, 3});
  const CodePalette colors = DevicePalette({{0, 85, 170, 255}, Rgb{155, 188, 15}});
  std::vector<std::uint32_t> pixels;
  DrawPreview(&icon, 1, 4, 6, Rgb{1, 2, 3}, pixels, colors);
  // Two cells of 4 x 3 in one column: the frames' pixels at their tops.
  EXPECT_EQ(pixels[0], Argb(0, 0, 0));
  EXPECT_EQ(pixels[1], Argb(155, 188, 15));
  EXPECT_EQ(pixels[3 * 4], Argb(52, 63, 5));
  EXPECT_EQ(pixels[3 * 4 + 1], Argb(155, 188, 15));
  EXPECT_EQ(pixels[2], Argb(1, 2, 3));
}

TEST(OnionSkin, DifferingFramesAreMixedInAQuarterEach) {
  const std::uint8_t previous[] = {0, 3, 4, 2};
  const std::uint8_t next[] = {1, 3, 3, 2};
  const OnionFrames both{previous, next, 2, 2};
  const OnionFrames before{previous, nullptr, 2, 2};
  struct Row {
    const OnionFrames* onion;
    int x, y;
    PixelCode own;
    std::uint32_t expected;
  };
  const Row rows[] = {
      {&before, 1, 1, PixelCode::White, Argb(191, 191, 191)},  // 3 x 255 + 0, over 4
      {&both, 1, 1, PixelCode::White, Argb(179, 179, 179)},    // 3 x 255 + 0 + 128, over 5
      {&before, 1, 2, PixelCode::Black, Argb(0, 32, 32)},      // a quarter of teal
      {&both, 2, 1, PixelCode::White, Argb(255, 255, 255)},    // the same code: unchanged
      {&both, 2, 2, PixelCode::Black, Argb(77, 77, 77)},       // 33 % gray in both, over 5
      {&both, 3, 1, PixelCode::Gray66, Argb(128, 128, 128)},   // outside the frames
  };
  for (const Row& row : rows) {
    EXPECT_EQ(OnionArgb(*row.onion, row.x, row.y, row.own), row.expected) << row.x << ", " << row.y;
  }
}

// An icon of three frames of 4 x 4 at 4 bits per pixel: all White, frame 0
// with a black first row, frame 2 with a black last row.
Skin ThreeFrames() {
  std::vector<std::uint8_t> data(4 * 4 * 3, 3);
  for (int x = 0; x < 4; ++x) {
    data[static_cast<std::size_t>(x)] = 0;
    data[static_cast<std::size_t>(2 * 16 + 12 + x)] = 0;
  }
  Skin skin;
  skin.Append(MakeIcon(7, 3, 4, 4, 4, std::move(data)));
  return skin;
}

struct Drawn {
  std::vector<std::uint8_t> skin_file;
  std::vector<std::string> exports;
  std::uint64_t version = 0;
  int undo_steps = 0;
  std::uint32_t canvas_under_previous = 0;
  std::uint32_t canvas_of_pen_dot = 0;
};

// Frame 1 edited with the pen, with onion skin (both frames) on or off.
Drawn DrawOnFrameOne(bool onion) {
  Editor editor;
  editor.Start();
  OpenSkinIntoEditor(editor, ThreeFrames(), "frames");
  EditorState& s = EditorTestDoor::MutableState(editor);
  editor.SetPixelSizeFromMenu(10);
  s.Document.CurrentSubIconIndex = 1;
  LoadSubIcon(editor);
  editor.SetOnionSkin(onion, onion);
  s.Tools.LeftColor = PixelCode::Gray33;
  editor.MouseDown(MouseButton::Left, 15, 5);  // cell (2, 1)
  editor.MouseMove(25, 5);                     // cell (3, 1): a pen dot alone
  editor.MouseUp(MouseButton::Left, 25, 5);
  Drawn drawn;
  drawn.skin_file = WriteSkinFile(editor.Skin(), "frames").value();
  for (const ExportFormat& format : ExportFormats()) {
    drawn.exports.push_back(WriteExport(format, ViewOf(s.Document.Picture), "frames", {}));
  }
  drawn.version = s.Document.Version;
  drawn.undo_steps = s.Document.Undo.Count();
  drawn.canvas_under_previous = editor.Canvas().PixelAt(5, 5);  // cell (1, 1), not drawn
  drawn.canvas_of_pen_dot = editor.Canvas().PixelAt(25, 5);
  return drawn;
}

TEST(OnionSkin, ColoursTheCanvasAndNothingElse) {
  const Drawn off = DrawOnFrameOne(false);
  const Drawn on = DrawOnFrameOne(true);
  // White under frame 0's black; the next frame is white there too.
  EXPECT_EQ(off.canvas_under_previous, Argb(255, 255, 255));
  EXPECT_EQ(on.canvas_under_previous, Argb(191, 191, 191));
  // The gray dot over frame 0's black and frame 2's white: 3 x 192 + 0 + 255.
  EXPECT_EQ(off.canvas_of_pen_dot, Argb(192, 192, 192));
  EXPECT_EQ(on.canvas_of_pen_dot, Argb(166, 166, 166));
  EXPECT_EQ(on.skin_file, off.skin_file);
  EXPECT_EQ(on.exports, off.exports);
  EXPECT_EQ(on.version, off.version);
  EXPECT_EQ(on.undo_steps, off.undo_steps);
}

}  // namespace
}  // namespace pictavo
