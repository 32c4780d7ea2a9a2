#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/imaging/image_conversion.h"
#include "core/model/skin.h"

namespace pictavo {

// What importing the frames of an animation into an icon came to.
struct FrameImportOutcome {
  bool imported = false;
  int frames = 0;  // the frames offered
  // Sub-icons of the icon's size and depth the skin has room for, the
  // icon's own replaced and every other icon kept; 0 without a current icon.
  int room = 0;
};

// How many sub-icons of the icon at `index` the skin can hold when that
// icon's own are replaced: limited by the sub-icon count a skin file stores
// and by its icon stream capacity.
int SubIconRoom(const Skin& skin, int index);

// One frame as a sub-icon of the icon: its top-left part, or the whole frame
// scaled down when `fit` is set, converted under the options and limited to
// the codes the icon's depth stores (Black and White at 1 bpp, no
// Transparent below 4 bpp). Pixels the frame does not cover are Transparent
// where the depth stores it, else White. Width x Height entries, row-major.
std::vector<std::uint8_t> FrameToSubIcon(const RgbImage& frame, const TSkinIcon& icon,
                                         ConversionOptions options, bool fit);

// Replaces the sub-icons of the icon at `index` by the frames, one sub-icon a
// frame in order, each made by FrameToSubIcon. Changes nothing, and says so,
// without such an icon, without frames, or when the frames exceed the room.
FrameImportOutcome ReplaceSubIconsWithFrames(Skin& skin, int index,
                                             std::span<const RgbImage> frames,
                                             const ConversionOptions& options, bool fit);

}  // namespace pictavo
