#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"
#include "core/editing/editor_view.h"
#include "core/editing/image_import.h"
#include "core/imaging/bitmap_import.h"

namespace pictavo {
namespace {

RgbImage SolidImage(int width, int height, Rgb color) {
  return RgbImage{
      width, height, std::vector<Rgb>(static_cast<std::size_t>(width) * height, color), {}};
}

// Every pixel differs by position: red counts columns, green counts rows, so
// a transposed or shifted read shows.
RgbImage GradientImage(int width, int height) {
  RgbImage image{width, height, {}, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.pixels.push_back({static_cast<std::uint8_t>(x * 2), static_cast<std::uint8_t>(y * 2),
                              static_cast<std::uint8_t>(x + y)});
    }
  }
  return image;
}

PixelCode ExpectedCode(const RgbImage& image, int x, int y, int threshold) {
  const Rgb c = image.pixels[static_cast<std::size_t>(y) * image.width + x];
  const int gray = (c.r + c.g + c.b) / 3;
  return ToPixelCode(gray / threshold > 3 ? 3 : gray / threshold);
}

class RecordingView : public EditorView {
 public:
  void Rendered() override { ++renders; }
  int renders = 0;
};

// ---- conversion ------------------------------------------------------------------

struct GrayCase {
  Rgb color;
  int threshold;
  PixelCode code;
};

TEST(BitmapConversion, ThresholdDividesTheGray) {
  const GrayCase cases[] = {
      {{64, 64, 64}, 64, PixelCode::Gray66},
      {{64, 64, 64}, 65, PixelCode::Black},
      {{255, 255, 255}, 64, PixelCode::White},
      {{255, 255, 255}, 100, PixelCode::Gray33},
      {{255, 255, 255}, 86, PixelCode::Gray33},  // 255 div 86 = 2: no White from 86 on
      {{255, 255, 255}, 85, PixelCode::White},
      {{200, 200, 200}, 200, PixelCode::Gray66},  // at 200 only gray 200..255 is not Black
      {{255, 255, 255}, 200, PixelCode::Gray66},
      {{199, 199, 199}, 200, PixelCode::Black},
      {{0, 0, 0}, 64, PixelCode::Black},
      {{63, 63, 63}, 64, PixelCode::Black},
      {{127, 127, 128}, 64, PixelCode::Gray66},  // 382 div 3 = 127
      {{128, 128, 128}, 64, PixelCode::Gray33},
      {{191, 191, 191}, 64, PixelCode::Gray33},
      {{192, 192, 192}, 64, PixelCode::White},
      {{255, 0, 0}, 64, PixelCode::Gray66},  // 85: channels are averaged
      {{0, 0, 255}, 64, PixelCode::Gray66},
      {{255, 255, 0}, 64, PixelCode::Gray33},  // 170
      // Threshold 1: every gray of 3 or more is White.
      {{3, 3, 3}, 1, PixelCode::White},
      {{2, 2, 2}, 1, PixelCode::Gray33},
      {{1, 1, 1}, 1, PixelCode::Gray66},
      {{0, 1, 1}, 1, PixelCode::Black},
      {{255, 255, 255}, 1, PixelCode::White},
  };
  for (const GrayCase& c : cases) {
    SCOPED_TRACE(testing::Message() << int{c.color.r} << "," << int{c.color.g} << ","
                                    << int{c.color.b} << " at " << c.threshold);
    BitmapImport import;
    import.OpenImage(SolidImage(2, 2, c.color));
    import.SetThreshold(c.threshold);
    EXPECT_EQ(import.ImportGrid().At(2, 2), c.code);
  }
}

TEST(BitmapConversion, GridCellHoldsImagePixelOneLeftAndUp) {
  const RgbImage image = GradientImage(40, 30);
  BitmapImport import;
  import.OpenImage(image);
  for (int threshold : {64, 7, 1, 200}) {
    import.SetThreshold(threshold);
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 40; ++x) {
        ASSERT_EQ(import.ImportGrid().At(x + 1, y + 1), ExpectedCode(image, x, y, threshold))
            << x << ", " << y << " at " << threshold;
      }
    }
  }
}

TEST(BitmapConversion, ThresholdIsClampedAndResetByOpen) {
  BitmapImport import;
  EXPECT_EQ(import.ImportThreshold(), 64);
  import.OpenImage(SolidImage(3, 3, {255, 255, 255}));
  import.SetThreshold(0);
  EXPECT_EQ(import.ImportThreshold(), 1);
  import.SetThreshold(-40);
  EXPECT_EQ(import.ImportThreshold(), 1);
  import.SetThreshold(201);
  EXPECT_EQ(import.ImportThreshold(), 200);
  EXPECT_EQ(import.ImportGrid().At(1, 1), PixelCode::Gray66);  // 255 div 200

  import.OpenImage(SolidImage(3, 3, {255, 255, 255}));
  EXPECT_EQ(import.ImportThreshold(), 64);
  EXPECT_EQ(import.ImportGrid().At(1, 1), PixelCode::White);
}

// ---- sizes -----------------------------------------------------------------------

struct SizeCase {
  int image_width;
  int image_height;
  int import_width;
  int import_height;
};

TEST(BitmapImportSize, TakesTheTopLeftAtMost96By92) {
  const SizeCase cases[] = {
      {200, 150, 96, 92}, {10, 120, 10, 92}, {50, 95, 50, 92}, {16, 16, 16, 16},
      {96, 92, 96, 92},   {97, 93, 96, 92},  {1, 1, 1, 1},     {1, 200, 1, 92},
  };
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.image_width << " x " << c.image_height);
    const RgbImage image = GradientImage(c.image_width, c.image_height);
    BitmapImport import;
    import.OpenImage(image);
    EXPECT_EQ(import.ImportWidth(), c.import_width);
    EXPECT_EQ(import.ImportHeight(), c.import_height);
    // The last cell taken is the image pixel at the same place, not one
    // beyond the cut.
    EXPECT_EQ(import.ImportGrid().At(c.import_width, c.import_height),
              ExpectedCode(image, c.import_width - 1, c.import_height - 1, 64));
    EXPECT_EQ(import.LoadedBitmap().width, c.image_width);  // the whole image is kept
  }
}

TEST(BitmapImportSize, SmallerImageLeavesRestOfGridFromBefore) {
  BitmapImport import;
  import.OpenImage(SolidImage(20, 20, {255, 255, 255}));
  import.OpenImage(SolidImage(5, 4, {0, 0, 0}));
  EXPECT_EQ(import.ImportGrid().At(5, 4), PixelCode::Black);
  EXPECT_EQ(import.ImportGrid().At(6, 4), PixelCode::White);
  EXPECT_EQ(import.ImportGrid().At(5, 5), PixelCode::White);
}

// ---- accepting ---------------------------------------------------------------------

struct ImportFixture : testing::Test {
  void SetUp() override {
    editor.Start();
    EditorTestDoor::MutableState(editor).Document.Picture.Cells.Fill(PixelCode::Transparent);
    EditorTestDoor::PushUndo(editor);  // the last undoable command before the import
    EditorTestDoor::MutableState(editor).Document.Picture.Cells.At(1, 1) = PixelCode::Gray33;
    view.renders = 0;
  }

  RecordingView view;
  Editor editor{&view};
};

TEST_F(ImportFixture, AcceptWritesCellsAndSizeOnly) {
  BitmapImport import;
  const RgbImage image = GradientImage(50, 95);
  import.OpenImage(image);
  const EditorState& s = editor.State();
  const Picture before = s.Document.Picture;

  AcceptImport(import, editor);

  EXPECT_EQ(s.Document.Picture.Width, 50);
  EXPECT_EQ(s.Document.Picture.Height, 92);
  for (int y = 1; y <= MaxPictureHeight; ++y) {
    for (int x = 1; x <= MaxPictureWidth; ++x) {
      const PixelCode expected =
          (x <= 50 && y <= 92) ? ExpectedCode(image, x - 1, y - 1, 64) : before.Cells.At(x, y);
      ASSERT_EQ(s.Document.Picture.Cells.At(x, y), expected) << x << ", " << y;
    }
  }
  EXPECT_EQ(view.renders, 1);
}

TEST_F(ImportFixture, ThresholdChangesOnlyThePreviewUntilAccepted) {
  BitmapImport import;
  import.OpenImage(SolidImage(16, 16, {255, 255, 255}));
  const Picture before = editor.State().Document.Picture;

  import.SetThreshold(100);
  EXPECT_EQ(import.ImportGrid().At(16, 16), PixelCode::Gray33);
  EXPECT_EQ(editor.State().Document.Picture, before);
  EXPECT_EQ(view.renders, 0);

  AcceptImport(import, editor);
  EXPECT_EQ(editor.State().Document.Picture.Cells.At(16, 16), PixelCode::Gray33);
  EXPECT_EQ(editor.State().Document.Picture.Width, 16);
}

TEST_F(ImportFixture, AcceptMakesNoUndoStep) {
  EditorState& s = EditorTestDoor::MutableState(editor);
  const int undo_count = s.Document.Undo.Count();
  const Picture snapshot = EditorTestDoor::UndoPicture(s.Document.Undo, 0);
  BitmapImport import;
  import.OpenImage(SolidImage(16, 16, {0, 0, 0}));
  AcceptImport(import, editor);
  EXPECT_EQ(s.Document.Undo.Count(), undo_count);

  // Undo goes back past the import to the snapshot of the command before it.
  editor.PopUndo();
  EXPECT_EQ(s.Document.Picture, snapshot);
  EXPECT_EQ(s.Document.Picture.Width, MaxPictureWidth);
  EXPECT_EQ(s.Document.Picture.Cells.At(1, 1), PixelCode::Transparent);
}

TEST_F(ImportFixture, NothingToAcceptBeforeAnImageIsOpened) {
  const Picture before = editor.State().Document.Picture;
  BitmapImport import;
  EXPECT_FALSE(import.CanAccept());
  import.SetThreshold(30);  // the scroll bar moved before any image
  AcceptImport(import, editor);
  EXPECT_EQ(editor.State().Document.Picture, before);
  EXPECT_EQ(view.renders, 0);

  // An image with no pixels cannot make a 0 x 0 picture either.
  import.OpenImage(RgbImage{0, 0, {}, {}});
  EXPECT_FALSE(import.CanAccept());
  AcceptImport(import, editor);
  EXPECT_EQ(editor.State().Document.Picture, before);
}

TEST_F(ImportFixture, MalformedImageIsIgnored) {
  BitmapImport import;
  import.OpenImage(SolidImage(4, 4, {255, 255, 255}));
  import.OpenImage(RgbImage{8, 8, std::vector<Rgb>(10), {}});  // 10 pixels for 64
  import.OpenImage(RgbImage{-1, 5, {}, {}});
  EXPECT_EQ(import.ImportWidth(), 4);
  EXPECT_EQ(import.LoadedBitmap().width, 4);
  AcceptImport(import, editor);
  EXPECT_EQ(editor.State().Document.Picture.Width, 4);
  EXPECT_EQ(editor.State().Document.Picture.Cells.At(4, 4), PixelCode::White);
}

TEST_F(ImportFixture, ReopenedWindowImportsTheSameImageAgain) {
  BitmapImport import;
  import.OpenImage(SolidImage(6, 3, {128, 128, 128}));
  import.SetThreshold(150);
  AcceptImport(import, editor);
  EditorTestDoor::MutableState(editor).Document.Picture.Cells.At(2, 2) =
      PixelCode::White;  // edited after the import

  AcceptImport(import, editor);  // OK again, threshold kept
  EXPECT_EQ(import.ImportThreshold(), 150);
  EXPECT_EQ(editor.State().Document.Picture.Cells.At(2, 2), PixelCode::Black);
  EXPECT_EQ(view.renders, 2);
}

// ---- options -----------------------------------------------------------------------

TEST(BitmapImportOptions, DefaultsAreThePlainRuleAndSurviveAnotherImage) {
  BitmapImport import;
  EXPECT_EQ(import.Options(), ConversionOptions{});
  EXPECT_EQ(import.Dither(), DitherMethod::None);
  EXPECT_FALSE(import.FitToPicture());

  import.OpenImage(GradientImage(200, 150));
  import.SetDither(DitherMethod::Bayer8);
  import.SetFitToPicture(true);
  import.SetThreshold(99);
  import.OpenImage(GradientImage(30, 30));
  EXPECT_EQ(import.Dither(), DitherMethod::Bayer8);
  EXPECT_TRUE(import.FitToPicture());
  EXPECT_EQ(import.ImportThreshold(), 64);  // only the threshold starts again
}

TEST(BitmapImportOptions, FitScalesTheWholeImageAndBackCutsAgain) {
  struct Case {
    int width, height, fitted_width, fitted_height;
  };
  for (const Case c : {Case{200, 150, 96, 72}, Case{10, 120, 8, 92}, Case{40, 30, 40, 30}}) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    BitmapImport import;
    // Black left half, white right half: scaled, the border stays in the
    // middle; cut, the top-left 96 columns of 200 are mostly black.
    RgbImage image = SolidImage(c.width, c.height, {255, 255, 255});
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width / 2; ++x) {
        image.pixels[static_cast<std::size_t>(y * c.width + x)] = {0, 0, 0};
      }
    }
    import.OpenImage(image);
    import.SetFitToPicture(true);
    EXPECT_EQ(import.ImportWidth(), c.fitted_width);
    EXPECT_EQ(import.ImportHeight(), c.fitted_height);
    EXPECT_EQ(import.ImportGrid().At(1, 1), PixelCode::Black);
    EXPECT_EQ(import.ImportGrid().At(c.fitted_width, c.fitted_height), PixelCode::White);

    import.SetFitToPicture(false);
    EXPECT_EQ(import.ImportWidth(), std::min(c.width, 96));
    EXPECT_EQ(import.ImportHeight(), std::min(c.height, 92));
    EXPECT_EQ(import.ImportGrid().At(import.ImportWidth(), 1),
              c.width > 192 ? PixelCode::Black : PixelCode::White);
  }
}

TEST(BitmapImportOptions, PartTakenByRegionAndFill) {
  struct Case {
    int width, height;
    bool fit, fill;
    ImagePart start;  // where the part starts
    int import_width, import_height;
    ImagePart moved;  // after SetRegion(500, 7): kept within the image
  };
  const Case cases[] = {
      {200, 150, false, false, {0, 0, 96, 92}, 96, 92, {104, 7, 96, 92}},
      {10, 120, false, false, {0, 0, 10, 92}, 10, 92, {0, 7, 10, 92}},
      // Filled: the widest part in 96 : 92, from the middle.
      {200, 150, true, true, {21, 0, 157, 150}, 96, 92, {43, 0, 157, 150}},
      {10, 120, true, true, {0, 14, 10, 92}, 10, 92, {0, 7, 10, 92}},
      {100, 300, true, true, {0, 102, 100, 96}, 96, 92, {0, 7, 100, 96}},
      // The whole image: fitted, or no larger than the picture.
      {200, 150, true, false, {0, 0, 200, 150}, 96, 72, {0, 0, 200, 150}},
      {40, 30, true, true, {0, 0, 40, 30}, 40, 30, {0, 0, 40, 30}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << (c.fill ? " filled" : ""));
    BitmapImport import;
    import.SetFitToPicture(c.fit);
    import.SetFill(c.fill);
    // Black outside the part the move leaves, white inside it.
    RgbImage image = SolidImage(c.width, c.height, {0, 0, 0});
    for (int y = c.moved.top; y < c.moved.top + c.moved.height; ++y) {
      for (int x = c.moved.left; x < c.moved.left + c.moved.width; ++x) {
        image.pixels[static_cast<std::size_t>(y * c.width + x)] = {255, 255, 255};
      }
    }
    import.OpenImage(image);
    EXPECT_EQ(import.PartTaken(), c.start);
    import.SetRegion(500, 7);
    EXPECT_EQ(import.PartTaken(), c.moved);
    EXPECT_EQ(import.PartMovable(), !(c.moved == ImagePart{0, 0, c.width, c.height}));
    EXPECT_EQ(import.ImportWidth(), c.import_width);
    EXPECT_EQ(import.ImportHeight(), c.import_height);
    if (import.PartMovable()) {
      EXPECT_EQ(import.ImportGrid().At(1, 1), PixelCode::White);
      EXPECT_EQ(import.ImportGrid().At(c.import_width, c.import_height), PixelCode::White);
    }
  }
}

TEST(BitmapImportOptions, KeepTransparencyFollowsTheAlphaChannel) {
  BitmapImport import;
  RgbImage logo = SolidImage(4, 1, {0, 0, 0});
  logo.alpha = {255, 255, 0, 0};
  import.OpenImage(logo);
  EXPECT_TRUE(import.HasAlpha());
  EXPECT_TRUE(import.KeepTransparency());
  EXPECT_EQ(import.ImportGrid().At(2, 1), PixelCode::Black);
  EXPECT_EQ(import.ImportGrid().At(3, 1), PixelCode::Transparent);

  import.SetKeepTransparency(false);  // laid over white instead
  EXPECT_EQ(import.ImportGrid().At(3, 1), PixelCode::White);

  import.OpenImage(SolidImage(4, 1, {0, 0, 0}));
  EXPECT_FALSE(import.HasAlpha());
  EXPECT_FALSE(import.KeepTransparency());

  // An alpha channel of the wrong length is refused with its image.
  RgbImage broken = SolidImage(3, 3, {9, 9, 9});
  broken.alpha = {0, 0};
  import.OpenImage(broken);
  EXPECT_EQ(import.LoadedBitmap().width, 4);
}

TEST(BitmapImportOptions, FramesOfAnotherSizeAreDropped) {
  BitmapImport import;
  import.OpenFrames({SolidImage(5, 5, {0, 0, 0}), SolidImage(5, 5, {255, 255, 255}),
                     SolidImage(6, 5, {0, 0, 0}), RgbImage {
                       5,
                       5,
                       {},
                       {}
                     }});
  EXPECT_EQ(import.FrameCount(), 2);
  EXPECT_EQ(import.ImportGrid().At(5, 5), PixelCode::Black);  // the first frame shows
  import.OpenFrames({});
  EXPECT_EQ(import.FrameCount(), 2);
}

}  // namespace
}  // namespace pictavo
