#include "core/editing/icon_commands.h"

#include <algorithm>
#include <array>

#include "core/editing/editor.h"
#include "core/editing/icon_browser.h"
#include "core/model/picture.h"

namespace pictavo {

namespace {

// The current icon when the sub-icon index is inside it and its Data has the
// size every command relies on; otherwise null and the command does nothing.
const TSkinIcon* EditableIcon(const Editor& editor) {
  const TSkinIcon* icon = editor.CurrentIcon();
  const int s = editor.State().Document.CurrentSubIconIndex;
  if (icon == nullptr || s < 0 || s >= icon->SubIcons ||
      icon->Data.size() != icon->ExpectedDataSize()) {
    return nullptr;
  }
  return icon;
}

void MoveToSubIcon(Editor& editor, int sub_icon) {
  {
    EditScope scope(editor);
    scope.Document().CurrentSubIconIndex = sub_icon;
  }
  LoadSubIcon(editor);
  editor.ClearUndo();
}

// Counts a change of the skin that a later load of the sub-icon draws.
void CountSkinChange(EditScope& scope, bool changed) {
  if (changed) scope.DocumentChanged();
}

// Depths step through 1, 2, 4 and 8, the ones a skin file knows.
int DepthAbove(int bpp) {
  if (bpp == 4) return 8;
  const int next = bpp + 1;
  return next == 3 ? 4 : next;
}

int DepthBelow(int bpp) {
  if (bpp == 8) return 4;
  const int next = bpp - 1;
  return next == 3 ? 2 : next;
}

bool ValidIconSize(const TSkinIcon& icon) {
  return IsIconSize(icon.Width, icon.Height) && icon.SubIcons >= 1;
}

}  // namespace

void SelectIcon(Editor& editor, int index) {
  if (!editor.Skin().Contains(index)) return;
  {
    EditScope scope(editor);
    scope.Document().CurrentIconIndex = index;
  }
  MoveToSubIcon(editor, 0);
}

void NextSubIcon(Editor& editor) {
  const TSkinIcon* icon = EditableIcon(editor);
  if (icon == nullptr) return;
  const int s = editor.State().Document.CurrentSubIconIndex;
  if (s < icon->SubIcons - 1) MoveToSubIcon(editor, s + 1);
}

void PreviousSubIcon(Editor& editor) {
  const TSkinIcon* icon = EditableIcon(editor);
  if (icon == nullptr) return;
  const int s = editor.State().Document.CurrentSubIconIndex;
  if (s > 0) MoveToSubIcon(editor, s - 1);
}

void AddSubIcon(Editor& editor) {
  if (EditableIcon(editor) == nullptr) return;
  EditScope scope(editor);
  TSkinIcon* icon = scope.CurrentIcon();
  const int s = editor.State().Document.CurrentSubIconIndex;
  const std::size_t per_sub = icon->PixelsPerSubIcon();
  const auto first = static_cast<std::ptrdiff_t>(per_sub * static_cast<std::size_t>(s));
  const auto end = static_cast<std::ptrdiff_t>(per_sub * static_cast<std::size_t>(s + 1));
  // Copied out first: inserting a range of a vector into itself is undefined.
  const std::vector<std::uint8_t> copy(icon->Data.begin() + first, icon->Data.begin() + end);
  icon->Data.insert(icon->Data.begin() + end, copy.begin(), copy.end());
  ++icon->SubIcons;
  CountSkinChange(scope, true);
  MoveToSubIcon(editor, s + 1);
}

void DeleteSubIcon(Editor& editor) {
  const TSkinIcon* editable = EditableIcon(editor);
  if (editable == nullptr || editable->SubIcons < 2) return;
  EditScope scope(editor);
  TSkinIcon* icon = scope.CurrentIcon();
  int s = editor.State().Document.CurrentSubIconIndex;
  const std::size_t per_sub = icon->PixelsPerSubIcon();
  const auto first = static_cast<std::ptrdiff_t>(per_sub * static_cast<std::size_t>(s));
  icon->Data.erase(icon->Data.begin() + first,
                   icon->Data.begin() + first + static_cast<std::ptrdiff_t>(per_sub));
  --icon->SubIcons;
  if (s == icon->SubIcons) s = icon->SubIcons - 1;
  CountSkinChange(scope, true);
  MoveToSubIcon(editor, s);
}

bool FitIconToBpp(TSkinIcon& icon, PixelCode right_color) {
  bool refused = false;
  if (!PacksIntoBytes(icon.Width, icon.Height, std::max(icon.BPP, 0))) {
    refused = true;
    // Back one step up; not tested again.
    icon.BPP = DepthAbove(icon.BPP);
  }
  const std::uint8_t opaque_right = static_cast<std::uint8_t>(
      right_color == PixelCode::Transparent ? PixelCode::White : right_color);
  constexpr auto kTransparent = static_cast<std::uint8_t>(PixelCode::Transparent);
  constexpr auto kGray33 = static_cast<std::uint8_t>(PixelCode::Gray33);
  for (std::uint8_t& code : icon.Data) {
    const std::uint8_t before = code;
    if (before == kTransparent && icon.BPP < 4) code = opaque_right;
    if (icon.BPP == 1) {
      code = static_cast<std::uint8_t>(before >= kGray33 ? PixelCode::White : PixelCode::Black);
    }
  }
  return refused;
}

bool RaiseBpp(Editor& editor) {
  const TSkinIcon* editable = EditableIcon(editor);
  if (editable == nullptr || editable->BPP > 3) return false;
  EditScope scope(editor);
  TSkinIcon* icon = scope.CurrentIcon();
  const TSkinIcon before = *icon;
  icon->BPP = DepthAbove(icon->BPP);
  const bool refused = FitIconToBpp(*icon, editor.State().Tools.RightColor);
  CountSkinChange(scope, *icon != before);
  LoadSubIcon(editor);
  return refused;
}

bool LowerBpp(Editor& editor) {
  const TSkinIcon* editable = EditableIcon(editor);
  if (editable == nullptr || editable->BPP < 2) return false;
  EditScope scope(editor);
  TSkinIcon* icon = scope.CurrentIcon();
  const TSkinIcon before = *icon;
  icon->BPP = DepthBelow(icon->BPP);
  const bool refused = FitIconToBpp(*icon, editor.State().Tools.RightColor);
  CountSkinChange(scope, *icon != before);
  LoadSubIcon(editor);
  return refused;
}

bool AddIcon(Editor& editor, TSkinIcon prepared) {
  if (!ValidIconSize(prepared)) return false;
  int position = 0;
  if (editor.Skin().Count() > 0) {
    if (editor.CurrentIcon() == nullptr) return false;
    position = editor.State().Document.CurrentIconIndex + 1;
  }
  const PixelCode right = editor.State().Tools.RightColor;
  PixelCode fill = right == PixelCode::Transparent ? PixelCode::White : right;
  if (prepared.BPP == 4) fill = PixelCode::Transparent;
  prepared.Data.assign(prepared.ExpectedDataSize(),
                       StoredCode(static_cast<std::uint8_t>(fill), prepared.BPP));
  {
    EditScope scope(editor);
    scope.Skin().Insert(position, std::move(prepared));
    CountSkinChange(scope, true);
  }
  SelectIcon(editor, position);
  return true;
}

void DeleteIcon(Editor& editor) {
  if (editor.CurrentIcon() == nullptr) return;
  EditScope scope(editor);
  DocumentState& document = scope.Document();
  scope.Skin().Remove(document.CurrentIconIndex);
  CountSkinChange(scope, true);
  const int count = editor.Skin().Count();
  if (document.CurrentIconIndex >= count) document.CurrentIconIndex = count - 1;
  document.CurrentSubIconIndex = 0;
  if (count > 0) {
    SelectIcon(editor, document.CurrentIconIndex);
  } else {
    // The skin is empty: index 0 is where the next added icon goes, and the
    // redraw empties the preview.
    document.CurrentIconIndex = 0;
    scope.Redraw();
  }
}

void PreviewZoomIn(Editor& editor) {
  {
    EditScope scope(editor);
    ++scope.State().View.PreviewScale;
  }
  editor.View().PreviewChanged();
}

void PreviewZoomOut(Editor& editor) {
  if (editor.State().View.PreviewScale > 1) {
    EditScope scope(editor);
    --scope.State().View.PreviewScale;
  }
  editor.View().PreviewChanged();
}

bool ChoosePreviewSubIcon(Editor& editor, int x, int y, int image_height) {
  const TSkinIcon* icon = EditableIcon(editor);
  if (icon == nullptr) return false;
  const std::optional<int> hit =
      PreviewHitTest(*icon, editor.State().View.PreviewScale, image_height, x, y);
  if (!hit) return false;
  MoveToSubIcon(editor, *hit);
  return true;
}

void DrawPreview(const Editor& editor, int width, int height, Rgb background,
                 std::vector<std::uint32_t>& argb_out, const CodePalette& colors) {
  DrawPreview(editor.CurrentIcon(), editor.State().View.PreviewScale, width, height, background,
              argb_out, colors);
}

void DrawPreviewFrame(const Editor& editor, int frame, int width, int height, Rgb background,
                      std::vector<std::uint32_t>& argb_out, const CodePalette& colors) {
  const TSkinIcon* icon = editor.CurrentIcon();
  std::optional<TSkinIcon> one;
  if (icon != nullptr && frame >= 0 && frame < icon->SubIcons &&
      icon->Data.size() == icon->ExpectedDataSize()) {
    one = TSkinIcon{icon->IconID, 1, icon->BPP, icon->Width, icon->Height, {}};
    const auto first =
        icon->Data.begin() + static_cast<std::ptrdiff_t>(icon->DataIndex(frame, 0, 0));
    one->Data.assign(first, first + static_cast<std::ptrdiff_t>(icon->PixelsPerSubIcon()));
  }
  DrawPreview(one ? &*one : nullptr, editor.State().View.PreviewScale, width, height, background,
              argb_out, colors);
}

}  // namespace pictavo
