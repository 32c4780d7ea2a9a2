#include "core/editing/bitmap_import.h"

#include <algorithm>
#include <utility>

#include "core/editing/editor.h"

namespace pictavo {

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
  ConvertToCodes(loaded_bitmap_, import_width_, import_height_, import_threshold_, import_grid_);
}

bool BitmapImport::CanAccept() const {
  return has_image_ && import_width_ >= 1 && import_height_ >= 1;
}

void BitmapImport::AcceptImport(Editor& editor) {
  if (!CanAccept()) return;
  Picture& picture = editor.MutableState().Document.Picture;
  for (int y = 1; y <= import_height_; ++y) {
    for (int x = 1; x <= import_width_; ++x) picture.Cells.At(x, y) = import_grid_.At(x, y);
  }
  picture.Width = import_width_;
  picture.Height = import_height_;
  editor.Render();
}

}  // namespace pictavo
