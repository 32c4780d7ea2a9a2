#pragma once

#include <cstddef>
#include <string>

#include "core/model/skin.h"

namespace pictavo {

// How much of a skin file's icon stream the skin takes, counted as Save Skin
// counts it.
struct SkinBudget {
  // Packed pixel bytes of the current icon; 0 without one.
  std::size_t icon_bytes = 0;
  // Length of the uncompressed icon stream a save would write: each icon's
  // five head bytes and packed pixels, then the end marker.
  std::size_t stream_bytes = 1;
  std::size_t capacity = 0;

  bool Over() const { return stream_bytes > capacity; }
};

SkinBudget BudgetOf(const Skin& skin, int current_icon);

// "Icon 96 bytes" over "Stream 12,345 / 34,442 bytes", on two lines;
// without a current icon only the stream line.
std::string BudgetText(const SkinBudget& budget, bool has_icon);

// A count with a comma between each group of three digits: 34,442.
std::string GroupedDigits(std::size_t value);

}  // namespace pictavo
