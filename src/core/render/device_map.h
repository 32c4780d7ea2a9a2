#pragma once

#include <vector>

namespace pictavo {

// One axis of the canvas shown at a device pixel ratio (1.25, 1.5, 2 ...):
// which logical canvas pixel each device pixel shows.
//
// The canvas raster is in logical pixels: each cell is PixelSize pixels, the
// first of them its grid line (or frame, or selection-box line). Showing it
// by plain scaling (device pixel d shows logical floor(d / dpr)) would make
// those lines 1 or 2 device pixels wide at 1.5. Here every logical pixel on a
// line (a multiple of PixelSize) gets exactly max(1, floor(dpr))
// device pixels, and what plain scaling would have given it beyond that goes
// to the cell after it. So all lines are equally wide, every logical pixel is
// shown, and the cells differ by at most one device pixel.
//
// The mouse uses the same map: a position in logical units is first the
// device pixel under it, floor(position x dpr), then the logical pixel that
// device pixel shows, so the cell picked is the one drawn under the pointer.
//
// A scrolled view starts inside the drawing: its logical pixel l is the
// drawing's pixel Origin() + l, and the lines lie where that is a multiple
// of PixelSize.
//
// At PixelSize 1 every logical pixel is a cell and no grid is drawn; lines
// cannot all be equal there at a fractional ratio, and the map is plain
// scaling. A ratio below 1 cannot show every logical pixel; it is plain
// scaling as well.
class DeviceAxisMap {
 public:
  // The identity: ratio 1, no device pixel stored.
  DeviceAxisMap() = default;
  // logical_length: the logical pixels of the axis the raster holds; device
  // pixels from DeviceLength() on show nothing of it.
  DeviceAxisMap(double device_pixel_ratio, int pixel_size, int logical_length, int origin = 0);

  double DevicePixelRatio() const { return ratio_; }
  int PixelSize() const { return pixel_size_; }
  int Origin() const { return origin_; }
  int LogicalLength() const { return logical_length_; }
  // Device pixels that show the logical length: those before the first
  // device pixel plain scaling gives to logical pixel LogicalLength().
  int DeviceLength() const { return static_cast<int>(table_.size()); }

  // The logical pixel that device pixel d shows; for d outside
  // 0..DeviceLength() - 1 the same rule continues (negative d gives a
  // negative pixel), so a pointer beyond the raster still has a position.
  int ToLogical(int device) const;
  // The device pixel under a position given in logical units.
  int DeviceAt(double position) const;
  // The logical pixel under a position in logical units: DeviceAt, then
  // ToLogical.
  int LogicalAt(double position) const { return ToLogical(DeviceAt(position)); }

  // ToLogical for 0..DeviceLength() - 1, precomputed.
  const std::vector<int>& Table() const { return table_; }

 private:
  int Compute(int device) const;
  // Plain scaling: floor(d / ratio), steady against rounding.
  int Scaled(int device) const;
  // The first device pixel that plain scaling gives to logical pixel l.
  int FirstDevice(int logical) const;

  double ratio_ = 1.0;
  int pixel_size_ = 1;
  int origin_ = 0;
  int logical_length_ = 0;
  int line_width_ = 1;
  bool plain_ = true;
  std::vector<int> table_;
};

// Both axes of the canvas for one ratio and zoom; rebuilt only when one of
// them changes.
struct DeviceMap {
  DeviceAxisMap Columns;
  DeviceAxisMap Rows;

  DeviceMap() = default;
  // left, top: the drawing's pixel the view's top-left pixel shows.
  DeviceMap(double device_pixel_ratio, int pixel_size, int logical_width, int logical_height,
            int left = 0, int top = 0)
      : Columns(device_pixel_ratio, pixel_size, logical_width, left),
        Rows(device_pixel_ratio, pixel_size, logical_height, top) {}

  // Whether this map was built for these values.
  bool Matches(double device_pixel_ratio, int pixel_size, int logical_width, int logical_height,
               int left = 0, int top = 0) const {
    return Columns.DevicePixelRatio() == device_pixel_ratio && Columns.PixelSize() == pixel_size &&
           Columns.LogicalLength() == logical_width && Rows.LogicalLength() == logical_height &&
           Columns.Origin() == left && Rows.Origin() == top;
  }
};

}  // namespace pictavo
