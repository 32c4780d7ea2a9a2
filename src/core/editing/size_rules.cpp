#include "core/editing/size_rules.h"

#include "core/model/picture.h"

namespace pictavo {

namespace {

// Digits only; the two-character boxes keep the value small, but a longer
// text from elsewhere saturates instead of overflowing.
std::optional<int> ParseDigits(std::string_view text) {
  if (text.empty()) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value > 100000 ? value : value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

SetSizeResult CheckSetSize(std::string_view height_text, std::string_view width_text,
                           std::optional<int> icon_bpp) {
  const std::optional<int> h = ParseDigits(height_text);
  const std::optional<int> w = ParseDigits(width_text);
  if (!h || !w) return {SetSizeCheck::Ignored, 0, 0};
  if (*h < MinPictureHeight || *h > MaxPictureHeight || *w < MinPictureWidth ||
      *w > MaxPictureWidth) {
    return {SetSizeCheck::InvalidDimensions, *w, *h};
  }
  if (icon_bpp && !PacksIntoBytes(*w, *h, *icon_bpp)) {
    return {SetSizeCheck::InvalidIconParameters, *w, *h};
  }
  return {SetSizeCheck::Accepted, *w, *h};
}

}  // namespace pictavo
