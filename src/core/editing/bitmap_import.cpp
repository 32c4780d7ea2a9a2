#include "core/editing/bitmap_import.h"

#include <algorithm>
#include <utility>

#include "core/editing/editor.h"
#include "core/formats/image_fit.h"

namespace pictavo {

namespace {

bool WellFormed(const RgbImage& image) {
  if (image.width < 0 || image.height < 0) return false;
  const std::size_t count = static_cast<std::size_t>(image.width) * image.height;
  return image.pixels.size() == count && (image.alpha.empty() || image.alpha.size() == count);
}

}  // namespace

void BitmapImport::OpenImage(RgbImage image) {
  std::vector<RgbImage> frames;
  frames.push_back(std::move(image));
  OpenFrames(std::move(frames));
}

void BitmapImport::OpenFrames(std::vector<RgbImage> frames) {
  if (frames.empty() || !WellFormed(frames.front())) return;
  const int width = frames.front().width;
  const int height = frames.front().height;
  std::erase_if(frames, [&](const RgbImage& frame) {
    return !WellFormed(frame) || frame.width != width || frame.height != height;
  });
  frames_ = std::move(frames);
  has_image_ = true;
  keep_transparency_ = !frames_.front().alpha.empty();
  import_threshold_ = StartThreshold;
  Refit();
  ConvertImage();
}

const RgbImage& BitmapImport::LoadedBitmap() const {
  static const RgbImage kNone;
  return frames_.empty() ? kNone : frames_.front();
}

void BitmapImport::SetThreshold(int threshold) {
  import_threshold_ = std::clamp(threshold, MinThreshold, MaxThreshold);
  ConvertImage();
}

void BitmapImport::SetDither(DitherMethod method) {
  dither_ = method;
  ConvertImage();
}

void BitmapImport::SetFitToPicture(bool fit) {
  if (fit == fit_) return;
  fit_ = fit;
  Refit();
  ConvertImage();
}

void BitmapImport::SetKeepTransparency(bool keep) {
  keep_transparency_ = keep;
  ConvertImage();
}

ConversionOptions BitmapImport::Options() const {
  ConversionOptions options;
  options.threshold = import_threshold_;
  options.dither = dither_;
  options.keep_transparency = keep_transparency_;
  return options;
}

void BitmapImport::Refit() {
  const RgbImage& image = LoadedBitmap();
  const FitDimensions fitted =
      FitSize(image.width, image.height, MaxPictureWidth, MaxPictureHeight);
  use_fitted_ = fit_ && (fitted.width != image.width || fitted.height != image.height);
  if (use_fitted_) {
    fitted_ = ScaleDownByArea(image, fitted.width, fitted.height);
    import_width_ = fitted_.width;
    import_height_ = fitted_.height;
  } else {
    fitted_ = RgbImage{};
    import_width_ = std::min(image.width, MaxPictureWidth);
    import_height_ = std::min(image.height, MaxPictureHeight);
  }
}

void BitmapImport::ConvertImage() {
  if (!has_image_) return;
  const RgbImage& source = use_fitted_ ? fitted_ : LoadedBitmap();
  const ConversionOptions options = Options();
  if (options == ConversionOptions{.threshold = import_threshold_} && source.alpha.empty()) {
    // The plain threshold rule, the conversion every default import makes.
    ConvertToCodes(source, import_width_, import_height_, import_threshold_, import_grid_);
  } else {
    ConvertToCodes(source, import_width_, import_height_, options, import_grid_);
  }
}

bool BitmapImport::CanAccept() const {
  return has_image_ && import_width_ >= 1 && import_height_ >= 1;
}

void BitmapImport::AcceptImport(Editor& editor) {
  if (!CanAccept()) return;
  editor.KeepBeforeDiscard(DiscardingCommand::ImportImage);
  // The picture now comes from an image, not from the file it was opened from.
  editor.SetFilePath({});
  EditScope scope(editor);
  Picture& picture = scope.Document().Picture;
  const Picture before = picture;
  for (int y = 1; y <= import_height_; ++y) {
    for (int x = 1; x <= import_width_; ++x) picture.Cells.At(x, y) = import_grid_.At(x, y);
  }
  picture.Width = import_width_;
  picture.Height = import_height_;
  scope.ChangedIf(picture != before);
}

FrameImportOutcome BitmapImport::ImportFrames(Editor& editor) const {
  if (!CanAccept()) return FrameImportOutcome{};
  return ImportFramesIntoIcon(editor, frames_, Options(), fit_);
}

}  // namespace pictavo
