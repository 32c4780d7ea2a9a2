#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"
#include "test_models.h"

namespace pictavo {
namespace {

using testing::CanvasPixel;

constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kTeal = 0xFF008080;
constexpr std::uint32_t kGrid = 0xFFC0DCC0;
constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kBlack = 0xFF000000;

// The canvas drawn the plain way: the whole logical bitmap, square by square
// and line by line. The stored canvas must equal the part its view shows:
// at the start the top-left 670 x 587.
struct ReferenceCanvas {
  // view_width, view_height: the least size of the bitmap.
  explicit ReferenceCanvas(const EditorState& s, int view_width = ViewWidth,
                           int view_height = ViewHeight) {
    const int p = s.View.PixelSize;
    const int w = s.Document.Picture.Width * p;
    const int h = s.Document.Picture.Height * p;
    width = std::max(w + 1, view_width);
    height = std::max(h + 1, view_height);
    pixels.assign(static_cast<std::size_t>(width) * height, kWhite);
    for (int x = 1; x <= s.Document.Picture.Width; ++x) {
      for (int y = 1; y <= s.Document.Picture.Height; ++y) {
        Fill((x - 1) * p, (y - 1) * p, x * p, y * p,
             ColorOf(s.Document.Picture.Cells.At(x, y)).Argb());
      }
    }
    if (s.View.ShowGrid && p > 3) {
      for (int i = 0; i <= s.Document.Picture.Width; ++i) Line(i * p, 0, i * p, h, kGrid);
      for (int j = 0; j <= s.Document.Picture.Height; ++j) Line(0, j * p, w, j * p, kGrid);
    }
    if (s.View.ShowBorder) {
      Line(0, 0, 0, h, kRed);
      Line(0, h, w, h, kRed);
      Line(w, h, w, 0, kRed);
      Line(w, 0, 0, 0, kRed);
    }
  }
  // The selection box: a dashed path, 4 pixels on and 2 off, from its
  // top-left corner down first.
  void DashedBox(int l, int t, int r, int b) {
    int phase = 0;
    const int corners[][2] = {{l, t}, {l, b}, {r, b}, {r, t}, {l, t}};
    for (int k = 0; k < 4; ++k) {
      const int dx = (corners[k + 1][0] > corners[k][0]) - (corners[k + 1][0] < corners[k][0]);
      const int dy = (corners[k + 1][1] > corners[k][1]) - (corners[k + 1][1] < corners[k][1]);
      for (int x = corners[k][0], y = corners[k][1];
           x != corners[k + 1][0] || y != corners[k + 1][1]; x += dx, y += dy, ++phase) {
        if (phase % 6 < 4 && x >= 0 && y >= 0 && x < width && y < height) {
          pixels[static_cast<std::size_t>(y) * width + x] = kBlack;
        }
      }
    }
  }
  std::uint32_t At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return kWhite;
    return pixels[static_cast<std::size_t>(y) * width + x];
  }
  void Fill(int l, int t, int r, int b, std::uint32_t c) {
    for (int y = t; y < b; ++y) {
      for (int x = l; x < r; ++x) pixels[static_cast<std::size_t>(y) * width + x] = c;
    }
  }
  // Draws the start point, not the end point.
  void Line(int x0, int y0, int x1, int y1, std::uint32_t c) {
    const int dx = (x1 > x0) - (x1 < x0);
    const int dy = (y1 > y0) - (y1 < y0);
    for (int x = x0, y = y0; x != x1 || y != y1; x += dx, y += dy) {
      pixels[static_cast<std::size_t>(y) * width + x] = c;
    }
  }
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

struct RenderCase {
  int pixel_size;
  int width;
  int height;
  bool grid;
  bool border;
};

class CanvasMatchesFullBitmap : public ::testing::TestWithParam<RenderCase> {};

TEST_P(CanvasMatchesFullBitmap, ShownAreaIsPixelIdentical) {
  const RenderCase c = GetParam();
  Editor editor;
  editor.Start();
  EditorState& s = EditorTestDoor::MutableState(editor);
  std::mt19937 random(c.pixel_size * 1000 + c.width);
  for (int x = 1; x <= MaxPictureWidth; ++x) {
    for (int y = 1; y <= MaxPictureHeight; ++y) {
      s.Document.Picture.Cells.At(x, y) = ToPixelCode(static_cast<int>(random() % 5));
    }
  }
  s.View.PixelSize = c.pixel_size;
  s.Document.Picture.Width = c.width;
  s.Document.Picture.Height = c.height;
  s.View.ShowGrid = c.grid;
  s.View.ShowBorder = c.border;
  editor.Render();

  const ReferenceCanvas reference(s);
  int mismatches = 0;
  for (int y = 0; y < ViewHeight; ++y) {
    for (int x = 0; x < ViewWidth; ++x) {
      if (CanvasPixel(editor.Canvas(), x, y) !=
              reference.pixels[static_cast<std::size_t>(y) * reference.width + x] &&
          ++mismatches <= 5) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

// "Zoom5_96x92_Grid_Border": pixel size, picture size and the lines shown.
std::string RenderCaseName(const ::testing::TestParamInfo<RenderCase>& info) {
  const RenderCase& c = info.param;
  return "Zoom" + std::to_string(c.pixel_size) + "_" + std::to_string(c.width) + "x" +
         std::to_string(c.height) + (c.grid ? "_Grid" : "") + (c.border ? "_Border" : "");
}

void PrintTo(const RenderCase& c, std::ostream* os) {
  *os << "pixel size " << c.pixel_size << ", " << c.width << " x " << c.height
      << (c.grid ? ", grid" : "") << (c.border ? ", border" : "");
}

INSTANTIATE_TEST_SUITE_P(
    ZoomsSizesAndFlags, CanvasMatchesFullBitmap,
    ::testing::Values(RenderCase{1, 96, 92, true, true}, RenderCase{2, 96, 92, true, false},
                      RenderCase{3, 50, 40, true, true}, RenderCase{4, 96, 92, true, true},
                      RenderCase{5, 96, 92, true, false}, RenderCase{5, 96, 92, true, true},
                      RenderCase{5, 2, 2, true, true}, RenderCase{7, 95, 83, false, true},
                      RenderCase{10, 96, 92, true, true}, RenderCase{15, 44, 39, true, true},
                      RenderCase{49, 96, 92, true, true}, RenderCase{49, 13, 11, false, false},
                      RenderCase{6, 111 / 1 - 15, 97 - 10, true, true}),
    RenderCaseName);

struct RenderGeometry : ::testing::Test {
  RenderGeometry() { editor.Start(); }
  std::uint32_t At(int x, int y) { return CanvasPixel(editor.Canvas(), x, y); }
  Editor editor;
  EditorState& s = EditorTestDoor::MutableState(editor);
};

TEST_F(RenderGeometry, FullPictureAtSizeFiveLeavesWhiteBeyond) {
  EXPECT_EQ(At(0, 0), kGrid);
  EXPECT_EQ(At(2, 2), kTeal);
  EXPECT_EQ(At(479, 459), kTeal);  // inside the last square
  EXPECT_EQ(At(480, 10), kGrid);   // the last vertical grid line
  EXPECT_EQ(At(10, 460), kGrid);   // the last horizontal grid line
  EXPECT_EQ(At(481, 10), kWhite);
  EXPECT_EQ(At(10, 461), kWhite);
  EXPECT_EQ(At(669, 586), kWhite);
}

TEST_F(RenderGeometry, GridOnlyAboveSizeThree) {
  for (int size : {1, 2, 3}) {
    editor.SetPixelSizeFromMenu(size);
    EXPECT_EQ(At(0, 0), kTeal) << size;
  }
  s.View.PixelSize = 4;
  editor.Render();
  EXPECT_EQ(At(0, 0), kGrid);
  EXPECT_EQ(At(4, 1), kGrid);
  EXPECT_EQ(At(1, 4), kGrid);
  EXPECT_EQ(At(2, 2), kTeal);
}

TEST_F(RenderGeometry, FrameLiesOverTheOuterGridLines) {
  editor.ToggleBorder();
  EXPECT_EQ(At(0, 0), kRed);
  EXPECT_EQ(At(0, 200), kRed);
  EXPECT_EQ(At(480, 200), kRed);
  EXPECT_EQ(At(200, 460), kRed);
  EXPECT_EQ(At(480, 460), kRed);
  EXPECT_EQ(At(5, 5), kGrid);  // inner grid lines stay
}

TEST_F(RenderGeometry, SizeTenShowsOnlyTheTopLeft) {
  editor.SetPixelSizeFromMenu(10);
  EXPECT_EQ(At(669, 586), kTeal);
  EXPECT_EQ(At(660, 586), kGrid);
}

TEST_F(RenderGeometry, PenRepaintsOnlyItsSquareWithItsOutline) {
  editor.ToggleBorder();
  editor.MouseDown(MouseButton::Left, 7, 7);  // cell (2, 2)
  EXPECT_EQ(At(6, 6), kBlack);
  EXPECT_EQ(At(5, 7), kGrid);
  EXPECT_EQ(At(10, 7), kGrid);
  EXPECT_EQ(At(7, 10), kGrid);
  // The frame is not drawn again by a pen dot: a dot on the edge covers it.
  editor.MouseDown(MouseButton::Left, 2, 200);
  EXPECT_EQ(At(0, 200), kGrid);
}

// A scrolled view stores the same part of the whole drawing, pixel for
// pixel: grid, frame and a selection box whose dashes do not depend on where
// the view lies, for views of several sizes and offsets at and between cell
// edges, up to and past the last one.
struct ScrollCase {
  int pixel_size;
  int width;
  int height;
};

class ScrolledViewMatchesFullBitmap : public ::testing::TestWithParam<ScrollCase> {};

TEST_P(ScrolledViewMatchesFullBitmap, AtEveryOffsetAndViewSize) {
  const ScrollCase c = GetParam();
  Editor editor;
  editor.Start();
  EditorState& s = EditorTestDoor::MutableState(editor);
  std::mt19937 random(c.pixel_size * 100 + c.width);
  for (int x = 1; x <= MaxPictureWidth; ++x) {
    for (int y = 1; y <= MaxPictureHeight; ++y) {
      s.Document.Picture.Cells.At(x, y) = ToPixelCode(static_cast<int>(random() % 5));
    }
  }
  const int p = c.pixel_size;
  s.View.PixelSize = p;
  s.Document.Picture.Width = c.width;
  s.Document.Picture.Height = c.height;
  s.View.ShowBorder = true;
  s.Selection.BoxVisible = true;
  s.Selection.BoxStart = {3, 2};
  s.Selection.BoxEnd = {c.width - 4, c.height - 1};
  ReferenceCanvas reference(s, 1, 1);
  reference.DashedBox(3 * p, 2 * p, (c.width - 4) * p, (c.height - 1) * p);
  editor.Render();

  const struct {
    int width, height;
  } views[] = {{ViewWidth, ViewHeight}, {1920, 1080}, {200, 150}, {333, 97}};
  for (const auto& v : views) {
    editor.SetViewSize(v.width, v.height);
    const int max_left = std::max(c.width * p + 1 - v.width, 0);
    const int max_top = std::max(c.height * p + 1 - v.height, 0);
    const int lefts[] = {0, 1, p - 1, p, p + 2, max_left / 2, max_left - 1, max_left, max_left + 7};
    const int tops[] = {0, p + 1, 2 * p - 1, max_top / 3, max_top - 2, max_top, -3};
    for (int i = 0; i < 9; ++i) {
      for (int j = 0; j < 7; j += (i % 3 == 0 ? 1 : 3)) {
        editor.ScrollTo(lefts[i], tops[j]);
        const Viewport& shown = editor.Canvas().View();
        SCOPED_TRACE(::testing::Message() << "view " << v.width << " x " << v.height << " at "
                                          << shown.Left << ", " << shown.Top);
        ASSERT_EQ(shown.Left, std::clamp(lefts[i], 0, max_left));
        ASSERT_EQ(shown.Top, std::clamp(tops[j], 0, max_top));
        ASSERT_EQ(editor.Canvas().Width(), v.width);
        ASSERT_EQ(editor.Canvas().Height(), v.height);
        int mismatches = 0;
        for (int y = 0; y < v.height; ++y) {
          for (int x = 0; x < v.width; ++x) {
            if (CanvasPixel(editor.Canvas(), x, y) != reference.At(shown.Left + x, shown.Top + y) &&
                ++mismatches <= 3) {
              ADD_FAILURE() << "view pixel (" << x << ", " << y << ")";
            }
          }
        }
        ASSERT_EQ(mismatches, 0);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(ZoomsAndSizes, ScrolledViewMatchesFullBitmap,
                         ::testing::Values(ScrollCase{4, 96, 92}, ScrollCase{5, 96, 92},
                                           ScrollCase{10, 96, 92}, ScrollCase{13, 37, 90},
                                           ScrollCase{49, 40, 30}),
                         [](const ::testing::TestParamInfo<ScrollCase>& info) {
                           return "Zoom" + std::to_string(info.param.pixel_size) + "_" +
                                  std::to_string(info.param.width) + "x" +
                                  std::to_string(info.param.height);
                         });

TEST_F(RenderGeometry, PenRepaintsItsSquareInAScrolledView) {
  editor.SetPixelSizeFromMenu(10);
  editor.ScrollTo(203, 118);  // cell (21, 12) starts 3 and 2 pixels off the view
  editor.MouseDown(MouseButton::Left, 203 + 12, 118 + 15);  // cell (22, 14)
  EXPECT_EQ(s.Document.Picture.Cells.At(22, 14), PixelCode::Black);
  // Its square runs from canvas (211, 131) to (220, 140): view (8, 13) on.
  EXPECT_EQ(At(7, 14), kGrid);
  EXPECT_EQ(At(8, 14), kBlack);
  EXPECT_EQ(At(16, 21), kBlack);
  EXPECT_EQ(At(17, 21), kGrid);
  EXPECT_EQ(At(18, 21), kTeal);
}

}  // namespace
}  // namespace pictavo
