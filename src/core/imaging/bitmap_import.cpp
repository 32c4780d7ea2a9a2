#include "core/imaging/bitmap_import.h"

#include <algorithm>
#include <utility>

#include "core/imaging/image_fit.h"

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
  keep_transparency_ = keep_transparency_choice_ && !frames_.front().alpha.empty();
  import_threshold_ = StartThreshold;
  Refit(true);
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
  Refit(true);
  ConvertImage();
}

void BitmapImport::SetFill(bool fill) {
  if (fill == fill_) return;
  fill_ = fill;
  Refit(true);
  ConvertImage();
}

void BitmapImport::SetKeepTransparency(bool keep) {
  keep_transparency_ = keep;
  keep_transparency_choice_ = keep;
  Regray();
  ConvertImage();
}

void BitmapImport::SetLevels(const GrayLevels& levels) {
  levels_ = levels;
  ConvertImage();
}

bool BitmapImport::PartMovable() const {
  const RgbImage& image = LoadedBitmap();
  return has_image_ && (!fit_ || fill_) &&
         (part_.width < image.width || part_.height < image.height);
}

void BitmapImport::SetRegion(int left, int top) {
  if (!PartMovable()) return;
  const RgbImage& image = LoadedBitmap();
  left = std::clamp(left, 0, image.width - part_.width);
  top = std::clamp(top, 0, image.height - part_.height);
  if (left == part_.left && top == part_.top) return;
  part_.left = left;
  part_.top = top;
  Refit(false);
  ConvertImage();
}

void BitmapImport::ChooseAutoThreshold() {
  if (!has_image_) return;
  SetThreshold(AutoThreshold(grays_, import_width_, import_height_, Options()));
}

ConversionOptions BitmapImport::Options() const {
  ConversionOptions options;
  options.threshold = import_threshold_;
  options.dither = dither_;
  options.keep_transparency = keep_transparency_;
  options.levels = levels_;
  return options;
}

void BitmapImport::Refit(bool place) {
  const RgbImage& image = LoadedBitmap();
  const int cut_width = std::min(image.width, MaxPictureWidth);
  const int cut_height = std::min(image.height, MaxPictureHeight);
  use_fitted_ = false;
  fitted_ = RgbImage{};
  if (fit_ && !fill_) {
    const FitDimensions fitted =
        FitSize(image.width, image.height, MaxPictureWidth, MaxPictureHeight);
    part_ = {0, 0, image.width, image.height};
    use_fitted_ = fitted.width != image.width || fitted.height != image.height;
    if (use_fitted_) fitted_ = ScaleDownByArea(image, fitted.width, fitted.height);
    import_width_ = fitted.width;
    import_height_ = fitted.height;
    Regray();
    return;
  }
  const FitDimensions size = fit_ ? FillCropSize(image.width, image.height, cut_width, cut_height)
                                  : FitDimensions{cut_width, cut_height};
  if (place) {
    // A cut part starts at the top-left corner, as it always has; a filled
    // one in the middle, where a photograph's subject usually is.
    part_.left = fit_ ? (image.width - size.width) / 2 : 0;
    part_.top = fit_ ? (image.height - size.height) / 2 : 0;
  }
  part_.width = size.width;
  part_.height = size.height;
  part_.left = std::clamp(part_.left, 0, image.width - size.width);
  part_.top = std::clamp(part_.top, 0, image.height - size.height);
  import_width_ = cut_width;
  import_height_ = cut_height;
  if (size.width != cut_width || size.height != cut_height) {
    fitted_ = ScaleDownByArea(CropImage(image, part_), cut_width, cut_height);
    use_fitted_ = true;
  }
  Regray();
}

void BitmapImport::Regray() {
  if (!has_image_) return;
  grays_ = use_fitted_
               ? PartGrays(fitted_, {0, 0, import_width_, import_height_}, keep_transparency_)
               : PartGrays(LoadedBitmap(), part_, keep_transparency_);
}

void BitmapImport::ConvertImage() {
  if (!has_image_) return;
  codes_.resize(grays_.size());
  CodesOfGrays(grays_, import_width_, import_height_, Options(), codes_);
  for (int y = 0; y < import_height_; ++y) {
    const PixelCode* row = codes_.data() + static_cast<std::size_t>(y) * import_width_;
    for (int x = 0; x < import_width_; ++x) import_grid_.At(x + 1, y + 1) = row[x];
  }
}

bool BitmapImport::CanAccept() const {
  return has_image_ && import_width_ >= 1 && import_height_ >= 1;
}

}  // namespace pictavo
