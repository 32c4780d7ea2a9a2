#pragma once

#include <vector>

#include "core/formats/image_conversion.h"
#include "core/model/picture.h"
#include "core/model/pixel_code.h"

namespace pictavo {

class Editor;

// The state of the bitmap import window without the window: the loaded
// image, its conversion into four gray codes and the threshold. It lives as
// long as the window, so reopening shows the last image and threshold again.
class BitmapImport {
 public:
  static constexpr int StartThreshold = 64;
  static constexpr int MinThreshold = 1;
  static constexpr int MaxThreshold = 200;

  // "Open BMP": keeps the image, takes its top-left 96 x 92 at most, sets the
  // threshold back to 64 and converts. An image whose pixel count does not
  // match its size is ignored.
  void OpenImage(RgbImage image);
  // The scroll bar: clamped to 1..200, then converts.
  void SetThreshold(int threshold);
  // ImportGrid from the image: (R + G + B) div 3, div the threshold, at most 3.
  void ConvertImage();

  // OK is possible only once an image has been opened, so the Picture can
  // never become 0 x 0.
  bool CanAccept() const;
  // "OK": writes ImportGrid into the Picture's cells, sets its size and
  // redraws. No undo step; nothing else changes. Does nothing without an image.
  void AcceptImport(Editor& editor);

  bool HasImage() const { return has_image_; }
  const RgbImage& LoadedBitmap() const { return loaded_bitmap_; }
  // Cell [x][y] holds the code of image pixel (x - 1, y - 1); the preview
  // draws each as 2 x 2 screen pixels.
  const PictureCells& ImportGrid() const { return import_grid_; }
  int ImportWidth() const { return import_width_; }
  int ImportHeight() const { return import_height_; }
  int ImportThreshold() const { return import_threshold_; }

 private:
  RgbImage loaded_bitmap_;
  bool has_image_ = false;
  PictureCells import_grid_;
  int import_width_ = 0;
  int import_height_ = 0;
  int import_threshold_ = StartThreshold;
};

}  // namespace pictavo
