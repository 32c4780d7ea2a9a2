#pragma once

#include <span>
#include <vector>

#include "core/imaging/dithering.h"
#include "core/imaging/image_conversion.h"
#include "core/model/picture.h"
#include "core/model/pixel_code.h"

namespace pictavo {

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
  // "Keep transparency" on when the image has an alpha channel and the last
  // choice was on, and converts. An image whose pixel or alpha count does not match its size is
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
  // "Fill", with fit on: the largest part of the image in the proportions of
  // the cut size is scaled down to that size, so the picture is covered.
  // Kept when another image is opened.
  void SetFill(bool fill);
  // "Keep transparency": clear pixels become Transparent. Only an image with
  // an alpha channel has clear pixels; the choice holds for the next image
  // with one (it starts on).
  void SetKeepTransparency(bool keep);
  // The grays the dithering aims at; kept when another image is opened.
  void SetLevels(const GrayLevels& levels);
  // Moves the part taken so its top-left corner lies at image pixel
  // (left, top), kept within the image. Only a cut or filled part moves; a
  // new image, fit or fill puts it back: at the top-left corner when cut,
  // in the middle when filled.
  void SetRegion(int left, int top);
  // "Auto": the threshold whose conversion's mean brightness comes nearest
  // the image's, for the part taken and the other options; then converts.
  void ChooseAutoThreshold();
  // The scroll bar: clamped to 1..200, then converts.
  void SetThreshold(int threshold);
  // ImportGrid from the image under the options; with the defaults
  // (R + G + B) div 3, div the threshold, at most 3.
  void ConvertImage();

  // OK is possible only once an image has been opened, so the Picture can
  // never become 0 x 0.
  bool CanAccept() const;
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
  bool Fill() const { return fill_; }
  bool KeepTransparency() const { return keep_transparency_; }
  const GrayLevels& Levels() const { return levels_; }
  // The part of the image that the conversion takes: the cut part, the
  // whole image when fitted, the cropped part when filled.
  const ImagePart& PartTaken() const { return part_; }
  // Whether SetRegion can move the part: it is cut or filled and smaller
  // than the image.
  bool PartMovable() const;
  ConversionOptions Options() const;

 private:
  // The part taken, the import size and the scaled copy for the current
  // image and options; `place` puts the part where the mode starts it.
  void Refit(bool place);
  // grays_ from the part taken.
  void Regray();

  // Every frame of the last image; the first is the image itself.
  std::vector<RgbImage> frames_;
  // The image scaled down, used while fitting or filling a larger image.
  RgbImage fitted_;
  // The grays of the pixels converted, kept while only the threshold,
  // dithering or grays change, and the codes made of them.
  std::vector<std::int16_t> grays_;
  std::vector<PixelCode> codes_;
  bool use_fitted_ = false;
  bool has_image_ = false;
  DitherMethod dither_ = DitherMethod::None;
  bool fit_ = false;
  bool fill_ = false;
  bool keep_transparency_ = false;
  bool keep_transparency_choice_ = true;
  GrayLevels levels_ = ShownGrays;
  ImagePart part_;
  PictureCells import_grid_;
  int import_width_ = 0;
  int import_height_ = 0;
  int import_threshold_ = StartThreshold;
};

}  // namespace pictavo
