#pragma once

#include <span>
#include <vector>

#include "core/editing/frame_import.h"
#include "core/formats/dithering.h"
#include "core/formats/image_conversion.h"
#include "core/model/picture.h"
#include "core/model/pixel_code.h"

namespace pictavo {

class Editor;

// The state of the bitmap import window without the window: the loaded
// image (and the frames of an animation), its conversion into four gray
// codes, the threshold and the conversion options. It lives as long as the
// window, so reopening shows the last image, threshold and options again.
class BitmapImport {
 public:
  static constexpr int StartThreshold = 64;
  static constexpr int MinThreshold = 1;
  static constexpr int MaxThreshold = 200;

  // "Open BMP": keeps the image, takes its top-left 96 x 92 at most (or all
  // of it scaled down when fitting), sets the threshold back to 64, turns
  // "Keep transparency" on exactly when the image has an alpha channel and
  // converts. An image whose pixel or alpha count does not match its size is
  // ignored.
  void OpenImage(RgbImage image);
  // The same for an animation: the first frame is the image; all are kept
  // for ImportFrames. Frames of another size than the first are ignored, and
  // so is an empty list.
  void OpenFrames(std::vector<RgbImage> frames);

  // The dithering method; kept when another image is opened.
  void SetDither(DitherMethod method);
  // "Fit to 96 x 92": scales a larger image down as a whole instead of
  // taking its top-left part; kept when another image is opened.
  void SetFitToPicture(bool fit);
  // "Keep transparency": clear pixels become Transparent. Only an image with
  // an alpha channel has clear pixels.
  void SetKeepTransparency(bool keep);
  // The scroll bar: clamped to 1..200, then converts.
  void SetThreshold(int threshold);
  // ImportGrid from the image under the options; with the defaults
  // (R + G + B) div 3, div the threshold, at most 3.
  void ConvertImage();

  // OK is possible only once an image has been opened, so the Picture can
  // never become 0 x 0.
  bool CanAccept() const;
  // "OK": writes ImportGrid into the Picture's cells, sets its size and
  // redraws. No undo step; nothing else changes. Does nothing without an image.
  void AcceptImport(Editor& editor);
  // "Import frames" on OK: every frame becomes one sub-icon of the current
  // icon (see ImportFramesIntoIcon); nothing changes without an image.
  FrameImportOutcome ImportFrames(Editor& editor) const;

  bool HasImage() const { return has_image_; }
  const RgbImage& LoadedBitmap() const;
  int FrameCount() const { return static_cast<int>(frames_.size()); }
  // Every frame of the last image, the image itself first.
  std::span<const RgbImage> Frames() const { return frames_; }
  bool HasAlpha() const { return has_image_ && !LoadedBitmap().alpha.empty(); }
  // Cell [x][y] holds the code of image pixel (x - 1, y - 1); the preview
  // draws each as 2 x 2 screen pixels.
  const PictureCells& ImportGrid() const { return import_grid_; }
  int ImportWidth() const { return import_width_; }
  int ImportHeight() const { return import_height_; }
  int ImportThreshold() const { return import_threshold_; }
  DitherMethod Dither() const { return dither_; }
  bool FitToPicture() const { return fit_; }
  bool KeepTransparency() const { return keep_transparency_; }
  ConversionOptions Options() const;

 private:
  // The import size and the scaled copy for the current image and options.
  void Refit();

  // Every frame of the last image; the first is the image itself.
  std::vector<RgbImage> frames_;
  // The whole image scaled down, used while fitting a larger image.
  RgbImage fitted_;
  bool use_fitted_ = false;
  bool has_image_ = false;
  DitherMethod dither_ = DitherMethod::None;
  bool fit_ = false;
  bool keep_transparency_ = false;
  PictureCells import_grid_;
  int import_width_ = 0;
  int import_height_ = 0;
  int import_threshold_ = StartThreshold;
};

}  // namespace pictavo
