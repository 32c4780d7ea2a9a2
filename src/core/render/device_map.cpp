#include "core/render/device_map.h"

#include <algorithm>
#include <cmath>

namespace pictavo {

namespace {

// Keeps floor() steady when a quotient or product that is an integer in
// exact arithmetic comes out a hair below it (a position that Qt computed as
// device / ratio, multiplied back).
constexpr double kSlack = 1e-7;

int FloorDiv(int a, int b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

DeviceAxisMap::DeviceAxisMap(double device_pixel_ratio, int pixel_size, int logical_length,
                             int origin)
    : ratio_(device_pixel_ratio > 0 ? device_pixel_ratio : 1.0),
      pixel_size_(std::max(pixel_size, 1)),
      origin_(origin),
      logical_length_(std::max(logical_length, 0)),
      line_width_(std::max(1, static_cast<int>(std::floor(ratio_ + kSlack)))),
      plain_(pixel_size_ == 1 || ratio_ < 1.0) {
  const int length = FirstDevice(logical_length_);
  table_.resize(static_cast<std::size_t>(std::max(length, 0)));
  for (int d = 0; d < length; ++d) table_[static_cast<std::size_t>(d)] = Compute(d);
}

int DeviceAxisMap::Scaled(int device) const {
  return static_cast<int>(std::floor(static_cast<double>(device) / ratio_ + kSlack));
}

int DeviceAxisMap::FirstDevice(int logical) const {
  int d = static_cast<int>(std::ceil(static_cast<double>(logical) * ratio_));
  while (Scaled(d - 1) >= logical) --d;
  while (Scaled(d) < logical) ++d;
  return d;
}

int DeviceAxisMap::Compute(int device) const {
  const int logical = Scaled(device);
  if (plain_ || device < 0) return logical;
  const int line = FloorDiv(logical + origin_, pixel_size_) * pixel_size_ - origin_;
  if (logical != line) return logical;
  // A line pixel keeps its first line_width_ device pixels; the rest show
  // the first pixel of the cell after it.
  return device - FirstDevice(line) < line_width_ ? line : line + 1;
}

int DeviceAxisMap::ToLogical(int device) const {
  if (device >= 0 && device < DeviceLength()) return table_[static_cast<std::size_t>(device)];
  return Compute(device);
}

int DeviceAxisMap::DeviceAt(double position) const {
  return static_cast<int>(std::floor(position * ratio_ + kSlack));
}

}  // namespace pictavo
