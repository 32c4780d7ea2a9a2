#pragma once

#include <optional>
#include <span>

#include <QString>

#include "core/model/pixel_code.h"

namespace pictavo {

// A backlight the device preview offers: its key in the settings, its
// caption and its colour (none: the plain grays).
struct BacklightPreset {
  const char* key;
  const char* caption;
  std::optional<Rgb> color;
};
std::span<const BacklightPreset> BacklightPresets();

// The device preview's backlight as the settings keep it: a preset's key or
// a colour as "#rrggbb". Read and written only once the application has an
// organisation name, as the import window's choices are; anything unreadable
// reads as no backlight.
std::optional<Rgb> RecallBacklight();
void StoreBacklight(const std::optional<Rgb>& color);

}  // namespace pictavo
