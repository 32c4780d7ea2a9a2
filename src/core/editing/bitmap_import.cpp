#include "core/editing/bitmap_import.h"

#include <algorithm>
#include <utility>

#include "core/editing/editor.h"

namespace pictavo {

PixelCode GrayCode(Rgb color, int threshold) {
  // Summed as ints: three bytes of 255 must not wrap.
  const int gray = (int{color.r} + int{color.g} + int{color.b}) / 3;
  return ToPixelCode(std::min(gray / threshold, ToInt(PixelCode::White)));
}

void BitmapImport::OpenImage(RgbImage image) {
  if (image.width < 0 || image.height < 0 ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
    return;
  }
  loaded_bitmap_ = std::move(image);
  has_image_ = true;
  import_width_ = std::min(loaded_bitmap_.width, MaxPictureWidth);
  import_height_ = std::min(loaded_bitmap_.height, MaxPictureHeight);
  import_threshold_ = StartThreshold;
  ConvertImage();
}

void BitmapImport::SetThreshold(int threshold) {
  import_threshold_ = std::clamp(threshold, MinThreshold, MaxThreshold);
  ConvertImage();
}

void BitmapImport::ConvertImage() {
  for (int y = 0; y < import_height_; ++y) {
    for (int x = 0; x < import_width_; ++x) {
      import_grid_.At(x + 1, y + 1) = GrayCode(loaded_bitmap_.At(x, y), import_threshold_);
    }
  }
}

bool BitmapImport::CanAccept() const {
  return has_image_ && import_width_ >= 1 && import_height_ >= 1;
}

void BitmapImport::AcceptImport(Editor& editor) {
  if (!CanAccept()) return;
  Picture& picture = editor.State().Document.Picture;
  for (int y = 1; y <= import_height_; ++y) {
    for (int x = 1; x <= import_width_; ++x) picture.Cells.At(x, y) = import_grid_.At(x, y);
  }
  picture.Width = import_width_;
  picture.Height = import_height_;
  editor.Render();
}

}  // namespace pictavo
