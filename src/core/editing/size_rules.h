#pragma once

#include <optional>
#include <string_view>

#include "core/model/skin.h"

namespace pictavo {

enum class SetSizeCheck {
  Accepted,
  // Empty box or a character other than a digit: the dialog stays open silently.
  Ignored,
  // "Invalid dimentions." titled "Invalid parameters!"
  InvalidDimensions,
  // "Width * Height * BPP must divide by 8." titled "Invalid icon parameters!"
  InvalidIconParameters,
};

struct SetSizeResult {
  SetSizeCheck check = SetSizeCheck::Ignored;
  int width = 0;
  int height = 0;
};

// The OK check of the Set Size dialog. icon_bpp is the depth of the current
// icon in skin mode, and empty otherwise (or when the skin holds no icon).
SetSizeResult CheckSetSize(std::string_view height_text, std::string_view width_text,
                           std::optional<int> icon_bpp);

}  // namespace pictavo
