#include "core/skin/icon_browser.h"

#include "core/editor/editor.h"

namespace pictavo {

void StoreSubIcon(Editor& editor) {
  EditorState& s = editor.State();
  TSkinIcon* icon = editor.CurrentIcon();
  if (icon != nullptr && s.CurrentSubIconIndex >= 0 && s.CurrentSubIconIndex < icon->SubIcons &&
      icon->Data.size() == icon->ExpectedDataSize()) {
    for (int x = 0; x < icon->Width && x < MaxPictureWidth; ++x) {
      for (int y = 0; y < icon->Height && y < MaxPictureHeight; ++y) {
        icon->Data[icon->DataIndex(s.CurrentSubIconIndex, x, y)] =
            static_cast<std::uint8_t>(s.Picture.Cells.At(x + 1, y + 1));
      }
    }
  }
  editor.View().PreviewChanged();
}

void LoadSubIcon(Editor& editor) {
  EditorState& s = editor.State();
  const TSkinIcon* icon = editor.CurrentIcon();
  if (icon == nullptr || s.CurrentSubIconIndex < 0 || s.CurrentSubIconIndex >= icon->SubIcons ||
      icon->Data.size() != icon->ExpectedDataSize()) {
    return;
  }
  for (int x = 0; x < icon->Width && x < MaxPictureWidth; ++x) {
    for (int y = 0; y < icon->Height && y < MaxPictureHeight; ++y) {
      const std::uint8_t code = icon->Data[icon->DataIndex(s.CurrentSubIconIndex, x, y)];
      // Readers refuse codes above 4, so every entry is a pixel code here.
      s.Picture.Cells.At(x + 1, y + 1) = IsPixelCode(code) ? ToPixelCode(code) : PixelCode::Black;
    }
  }
  s.Picture.Width = icon->Width;
  s.Picture.Height = icon->Height;
  editor.Render();
}

}  // namespace pictavo
