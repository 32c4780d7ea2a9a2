#include "core/documents/frame_import.h"

#include <algorithm>
#include <cstddef>

#include "core/documents/skin_budget.h"
#include "core/formats/skin_file.h"
#include "core/imaging/image_fit.h"
#include "core/model/picture.h"

namespace pictavo {

namespace {

bool StoresTransparent(const TSkinIcon& icon) { return icon.BPP >= 4; }

}  // namespace

int SubIconRoom(const Skin& skin, int index) {
  if (!skin.Contains(index)) return 0;
  const TSkinIcon& icon = skin.At(index);
  if (!IsIconSize(icon.Width, icon.Height) || !IsStoredDepth(icon.BPP)) return 0;
  // The stream as a save would write it, without this icon's pixels.
  const SkinBudget budget = BudgetOf(skin, index);
  const std::size_t used = budget.stream_bytes - budget.icon_bytes;
  if (used >= budget.capacity) return 0;
  TSkinIcon one = icon;
  one.SubIcons = 1;
  const std::size_t per_sub_icon = std::max<std::size_t>(PackedIconSize(one), 1);
  const std::size_t fits = (budget.capacity - used) / per_sub_icon;
  return static_cast<int>(std::min<std::size_t>(fits, MaxStoredSubIcons));
}

std::vector<std::uint8_t> FrameToSubIcon(const RgbImage& frame, const TSkinIcon& icon,
                                         ConversionOptions options, bool fit) {
  const int width = std::clamp(icon.Width, 0, MaxPictureWidth);
  const int height = std::clamp(icon.Height, 0, MaxPictureHeight);
  const PixelCode uncovered = StoresTransparent(icon) ? PixelCode::Transparent : PixelCode::White;
  std::vector<std::uint8_t> data(static_cast<std::size_t>(width) * height,
                                 static_cast<std::uint8_t>(uncovered));
  options.black_and_white = icon.BPP == 1;
  options.keep_transparency = options.keep_transparency && StoresTransparent(icon);

  const std::size_t count = static_cast<std::size_t>(std::max(frame.width, 0)) *
                            static_cast<std::size_t>(std::max(frame.height, 0));
  if (frame.pixels.size() != count || (!frame.alpha.empty() && frame.alpha.size() != count)) {
    return data;  // a damaged frame stays blank rather than being read past its end
  }
  RgbImage fitted;
  const RgbImage* source = &frame;
  if (fit) {
    const FitDimensions size = FitSize(frame.width, frame.height, width, height);
    if (size.width != frame.width || size.height != frame.height) {
      fitted = ScaleDownByArea(frame, size.width, size.height);
      source = &fitted;
    }
  }
  const int used_width = std::min(source->width, width);
  const int used_height = std::min(source->height, height);
  PictureCells cells;
  ConvertToCodes(*source, used_width, used_height, options, cells);
  for (int y = 0; y < used_height; ++y) {
    for (int x = 0; x < used_width; ++x) {
      data[static_cast<std::size_t>(y) * width + x] =
          static_cast<std::uint8_t>(cells.At(x + 1, y + 1));
    }
  }
  return data;
}

FrameImportOutcome ReplaceSubIconsWithFrames(Skin& skin, int index,
                                             std::span<const RgbImage> frames,
                                             const ConversionOptions& options, bool fit) {
  FrameImportOutcome outcome;
  outcome.frames = static_cast<int>(frames.size());
  outcome.room = SubIconRoom(skin, index);
  if (!skin.Contains(index) || frames.empty() || outcome.frames > outcome.room) return outcome;
  TSkinIcon& icon = skin.At(index);
  std::vector<std::uint8_t> data;
  data.reserve(icon.PixelsPerSubIcon() * frames.size());
  for (const RgbImage& frame : frames) {
    const std::vector<std::uint8_t> sub_icon = FrameToSubIcon(frame, icon, options, fit);
    data.insert(data.end(), sub_icon.begin(), sub_icon.end());
  }
  icon.Data = std::move(data);
  icon.SubIcons = outcome.frames;
  outcome.imported = true;
  return outcome;
}

}  // namespace pictavo
