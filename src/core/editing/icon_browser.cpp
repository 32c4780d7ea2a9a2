#include "core/editing/icon_browser.h"

#include "core/editing/editor.h"

namespace pictavo {

namespace {

// The current icon when the sub-icon index and Data fit it; the copies below
// then stay inside both the icon and the Picture's storage.
TSkinIcon* IconToCopy(Editor& editor) {
  TSkinIcon* icon = editor.CurrentIcon();
  const int s = editor.State().Document.CurrentSubIconIndex;
  if (icon == nullptr || s < 0 || s >= icon->SubIcons ||
      icon->Data.size() != icon->ExpectedDataSize() || icon->Width > MaxPictureWidth ||
      icon->Height > MaxPictureHeight) {
    return nullptr;
  }
  return icon;
}

}  // namespace

// Runs on every screen update in skin mode, each pen dot included: one pass
// over the sub-icon's rows, no allocation.
void StoreSubIcon(Editor& editor) {
  EditorState& s = editor.MutableState();
  if (TSkinIcon* icon = IconToCopy(editor)) {
    std::uint8_t* out = icon->Data.data() + icon->DataIndex(s.Document.CurrentSubIconIndex, 0, 0);
    for (int y = 0; y < icon->Height; ++y) {
      for (int x = 0; x < icon->Width; ++x) {
        *out++ = static_cast<std::uint8_t>(s.Document.Picture.Cells.At(x + 1, y + 1));
      }
    }
  }
  editor.View().PreviewChanged();
}

void LoadSubIcon(Editor& editor) {
  EditorState& s = editor.MutableState();
  const TSkinIcon* icon = IconToCopy(editor);
  if (icon == nullptr) return;
  const std::uint8_t* in = icon->Data.data() + icon->DataIndex(s.Document.CurrentSubIconIndex, 0, 0);
  for (int y = 0; y < icon->Height; ++y) {
    for (int x = 0; x < icon->Width; ++x) {
      const std::uint8_t code = *in++;
      // Readers refuse codes above 4, so every entry is a pixel code here.
      s.Document.Picture.Cells.At(x + 1, y + 1) = IsPixelCode(code) ? ToPixelCode(code) : PixelCode::Black;
    }
  }
  s.Document.Picture.Width = icon->Width;
  s.Document.Picture.Height = icon->Height;
  editor.Render();
}

}  // namespace pictavo
