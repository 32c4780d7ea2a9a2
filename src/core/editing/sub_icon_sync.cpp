#include "core/editing/sub_icon_sync.h"

#include <algorithm>

namespace pictavo {

namespace {

// The current icon when the sub-icon index and Data fit it; the copies below
// then stay inside both the icon and the Picture's storage.
const TSkinIcon* IconToCopy(const DocumentState& document, const Skin& skin) {
  if (!skin.Contains(document.CurrentIconIndex)) return nullptr;
  const TSkinIcon& icon = skin.At(document.CurrentIconIndex);
  const int s = document.CurrentSubIconIndex;
  if (s < 0 || s >= icon.SubIcons || icon.Data.size() != icon.ExpectedDataSize() ||
      icon.Width > MaxPictureWidth || icon.Height > MaxPictureHeight) {
    return nullptr;
  }
  return &icon;
}

}  // namespace

bool StorePictureInSubIcon(const DocumentState& document, Skin& skin) {
  if (IconToCopy(document, skin) == nullptr) return false;
  TSkinIcon& icon = skin.At(document.CurrentIconIndex);
  std::uint8_t* out = icon.Data.data() + icon.DataIndex(document.CurrentSubIconIndex, 0, 0);
  std::uint8_t differ = 0;
  for (int y = 0; y < icon.Height; ++y) {
    for (int x = 0; x < icon.Width; ++x) {
      const std::uint8_t code =
          StoredCode(static_cast<std::uint8_t>(document.Picture.Cells.At(x + 1, y + 1)), icon.BPP);
      differ |= static_cast<std::uint8_t>(*out ^ code);
      *out++ = code;
    }
  }
  return differ != 0;
}

void FitPictureToIconDepth(DocumentState& document, const Skin& skin, CellRect cells) {
  const TSkinIcon* icon = IconToCopy(document, skin);
  if (icon == nullptr || icon->BPP >= 4) return;  // every code survives 4 and 8 bpp
  const int right = std::min(cells.Right, icon->Width);
  const int bottom = std::min(cells.Bottom, icon->Height);
  for (int y = std::max(cells.Top, 1); y <= bottom; ++y) {
    for (int x = std::max(cells.Left, 1); x <= right; ++x) {
      PixelCode& cell = document.Picture.Cells.At(x, y);
      cell = ToPixelCode(StoredCode(static_cast<std::uint8_t>(cell), icon->BPP));
    }
  }
}

bool LoadSubIconIntoPicture(DocumentState& document, const Skin& skin) {
  const TSkinIcon* icon = IconToCopy(document, skin);
  if (icon == nullptr) return false;
  const std::uint8_t* in = icon->Data.data() + icon->DataIndex(document.CurrentSubIconIndex, 0, 0);
  Picture& picture = document.Picture;
  for (int y = 0; y < icon->Height; ++y) {
    for (int x = 0; x < icon->Width; ++x) {
      const std::uint8_t code = *in++;
      // Readers refuse codes above 4, so every entry is a pixel code here.
      picture.Cells.At(x + 1, y + 1) = IsPixelCode(code) ? ToPixelCode(code) : PixelCode::Black;
    }
  }
  picture.Width = icon->Width;
  picture.Height = icon->Height;
  return true;
}

}  // namespace pictavo
