// What every skin a reader accepts must hold, for the fuzz targets that read
// skins: a broken one stops the run with the rule it broke.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "core/model/picture.h"
#include "core/model/skin.h"

namespace pictavo::fuzz {

inline void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "skin invariant broken: %s\n", what);
    std::abort();
  }
}

inline void CheckSkin(const Skin& skin) {
  for (const TSkinIcon& icon : skin.Icons()) {
    Require(icon.Width >= 1 && icon.Width <= MaxPictureWidth, "width in 1..96");
    Require(icon.Height >= 1 && icon.Height <= MaxPictureHeight, "height in 1..92");
    Require(icon.SubIcons >= 1, "at least one sub-icon");
    Require(icon.BPP == 1 || icon.BPP == 2 || icon.BPP == 4 || icon.BPP == 8, "known depth");
    Require(icon.IconID >= 0 && icon.IconID < 255, "ID below the end marker");
    Require(icon.Data.size() == icon.ExpectedDataSize(), "Width x Height x SubIcons entries");
    for (const std::uint8_t code : icon.Data) Require(IsPixelCode(code), "codes 0..4");
  }
}

}  // namespace pictavo::fuzz
