#include "core/editing/icon_commands.h"

#include <algorithm>
#include <array>

#include "core/editing/editor.h"
#include "core/model/picture.h"
#include "core/editing/icon_browser.h"

namespace pictavo {

namespace {

// The current icon when the sub-icon index is inside it and its Data has the
// size every command relies on; otherwise null and the command does nothing.
TSkinIcon* EditableIcon(Editor& editor) {
  TSkinIcon* icon = editor.CurrentIcon();
  const int s = editor.State().Document.CurrentSubIconIndex;
  if (icon == nullptr || s < 0 || s >= icon->SubIcons ||
      icon->Data.size() != icon->ExpectedDataSize()) {
    return nullptr;
  }
  return icon;
}

void MoveToSubIcon(Editor& editor, int sub_icon) {
  editor.MutableState().Document.CurrentSubIconIndex = sub_icon;
  LoadSubIcon(editor);
  editor.ClearUndo();
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
  return icon.Width >= 1 && icon.Width <= MaxPictureWidth && icon.Height >= 1 &&
         icon.Height <= MaxPictureHeight && icon.SubIcons >= 1;
}

}  // namespace

void SelectIcon(Editor& editor, int index) {
  if (!editor.Skin().Contains(index)) return;
  editor.MutableState().Document.CurrentIconIndex = index;
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
  TSkinIcon* icon = EditableIcon(editor);
  if (icon == nullptr) return;
  const int s = editor.State().Document.CurrentSubIconIndex;
  const std::size_t per_sub = icon->PixelsPerSubIcon();
  const auto first = static_cast<std::ptrdiff_t>(per_sub * static_cast<std::size_t>(s));
  const auto end = static_cast<std::ptrdiff_t>(per_sub * static_cast<std::size_t>(s + 1));
  // Copied out first: inserting a range of a vector into itself is undefined.
  const std::vector<std::uint8_t> copy(icon->Data.begin() + first, icon->Data.begin() + end);
  icon->Data.insert(icon->Data.begin() + end, copy.begin(), copy.end());
  ++icon->SubIcons;
  MoveToSubIcon(editor, s + 1);
}

void DeleteSubIcon(Editor& editor) {
  TSkinIcon* icon = EditableIcon(editor);
  if (icon == nullptr || icon->SubIcons < 2) return;
  int s = editor.State().Document.CurrentSubIconIndex;
  const std::size_t per_sub = icon->PixelsPerSubIcon();
  const auto first = static_cast<std::ptrdiff_t>(per_sub * static_cast<std::size_t>(s));
  icon->Data.erase(icon->Data.begin() + first,
                   icon->Data.begin() + first + static_cast<std::ptrdiff_t>(per_sub));
  --icon->SubIcons;
  if (s == icon->SubIcons) s = icon->SubIcons - 1;
  MoveToSubIcon(editor, s);
}

bool FitIconToBpp(TSkinIcon& icon, PixelCode right_color) {
  bool refused = false;
  if (icon.PixelsPerSubIcon() * static_cast<std::size_t>(std::max(icon.BPP, 0)) % 8 != 0) {
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
  TSkinIcon* icon = EditableIcon(editor);
  if (icon == nullptr || icon->BPP > 3) return false;
  icon->BPP = DepthAbove(icon->BPP);
  const bool refused = FitIconToBpp(*icon, editor.State().Tools.RightColor);
  LoadSubIcon(editor);
  return refused;
}

bool LowerBpp(Editor& editor) {
  TSkinIcon* icon = EditableIcon(editor);
  if (icon == nullptr || icon->BPP < 2) return false;
  icon->BPP = DepthBelow(icon->BPP);
  const bool refused = FitIconToBpp(*icon, editor.State().Tools.RightColor);
  LoadSubIcon(editor);
  return refused;
}

bool AddIcon(Editor& editor, TSkinIcon prepared) {
  if (!ValidIconSize(prepared)) return false;
  ::pictavo::Skin& skin = editor.Skin();
  int position = 0;
  if (skin.Count() > 0) {
    if (editor.CurrentIcon() == nullptr) return false;
    position = editor.State().Document.CurrentIconIndex + 1;
  }
  const PixelCode right = editor.State().Tools.RightColor;
  PixelCode fill = right == PixelCode::Transparent ? PixelCode::White : right;
  if (prepared.BPP == 4) fill = PixelCode::Transparent;
  prepared.Data.assign(prepared.ExpectedDataSize(), static_cast<std::uint8_t>(fill));
  skin.Insert(position, std::move(prepared));
  SelectIcon(editor, position);
  return true;
}

void DeleteIcon(Editor& editor) {
  if (editor.CurrentIcon() == nullptr) return;
  EditorState& state = editor.MutableState();
  editor.Skin().Remove(state.Document.CurrentIconIndex);
  const int count = editor.Skin().Count();
  if (state.Document.CurrentIconIndex >= count) state.Document.CurrentIconIndex = count - 1;
  state.Document.CurrentSubIconIndex = 0;
  if (count > 0) {
    SelectIcon(editor, state.Document.CurrentIconIndex);
  } else {
    // The skin is empty: index 0 is where the next added icon goes, and the
    // redraw empties the preview.
    state.Document.CurrentIconIndex = 0;
    editor.Render();
  }
}

void PreviewZoomIn(Editor& editor) {
  ++editor.MutableState().View.PreviewScale;
  editor.View().PreviewChanged();
}

void PreviewZoomOut(Editor& editor) {
  if (editor.State().View.PreviewScale > 1) --editor.MutableState().View.PreviewScale;
  editor.View().PreviewChanged();
}

int PreviewRows(int image_height, const TSkinIcon& icon, int scale) {
  const std::int64_t cell = (std::int64_t{icon.Height} + 2) * std::max(scale, 1);
  const std::int64_t rows = cell > 0 ? image_height / cell : 0;
  return static_cast<int>(std::max<std::int64_t>(rows, 1));
}

PreviewPoint PreviewCellOrigin(const TSkinIcon& icon, int scale, int rows, int sub_icon) {
  rows = std::max(rows, 1);
  const std::int64_t s = std::max(scale, 1);
  return {sub_icon / rows * (std::int64_t{icon.Width} + 2) * s,
          sub_icon % rows * (std::int64_t{icon.Height} + 2) * s};
}

std::optional<int> PreviewHitTest(const TSkinIcon& icon, int scale, int image_height, int x,
                                  int y) {
  scale = std::max(scale, 1);
  const int rows = PreviewRows(image_height, icon, scale);
  const std::int64_t cell_width = (std::int64_t{icon.Width} + 2) * scale;
  const std::int64_t cell_height = (std::int64_t{icon.Height} + 2) * scale;
  for (int i = 0; i < icon.SubIcons; ++i) {
    if (x <= cell_width * (i / rows + 1) - 2 && y <= cell_height * (i % rows + 1) - 2) return i;
  }
  return std::nullopt;
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
                 std::vector<std::uint32_t>& argb_out) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  argb_out.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                  background.Argb());
  const TSkinIcon* icon = editor.CurrentIcon();
  if (icon == nullptr || width == 0 || height == 0 ||
      icon->Data.size() != icon->ExpectedDataSize()) {
    return;
  }
  const int scale = std::max(editor.State().View.PreviewScale, 1);
  const int rows = PreviewRows(height, *icon, scale);
  std::array<std::uint32_t, PixelCodeCount> code_argb;
  for (int c = 0; c < PixelCodeCount; ++c) code_argb[c] = CodeColors[c].Argb();
  for (int i = 0; i < icon->SubIcons; ++i) {
    const PreviewPoint origin = PreviewCellOrigin(*icon, scale, rows, i);
    // Columns only move right from here on.
    if (origin.x >= width) break;
    if (origin.y >= height) continue;
    // Row by row, so each screen row is written left to right. Every entry
    // is a pixel code (the readers refuse others); anything else would keep
    // the brush of the square before it.
    for (int y = 0; y < icon->Height; ++y) {
      const std::int64_t top = origin.y + std::int64_t{y} * scale;
      if (top >= height) break;
      const int y1 = static_cast<int>(std::min<std::int64_t>(top + scale, height));
      std::uint32_t* row = argb_out.data() + static_cast<std::size_t>(top) * width;
      std::uint32_t brush = background.Argb();
      for (int x = 0; x < icon->Width; ++x) {
        const std::int64_t left = origin.x + std::int64_t{x} * scale;
        if (left >= width) break;
        const std::uint8_t code = icon->Data[icon->DataIndex(i, x, y)];
        if (IsPixelCode(code)) brush = code_argb[code];
        const int x1 = static_cast<int>(std::min<std::int64_t>(left + scale, width));
        for (int px = static_cast<int>(left); px < x1; ++px) row[px] = brush;
      }
      // The other screen rows of these squares are copies of the first.
      const int x_end = static_cast<int>(
          std::min<std::int64_t>(origin.x + std::int64_t{icon->Width} * scale, width));
      for (int py = static_cast<int>(top) + 1; py < y1; ++py) {
        std::copy(row + origin.x, row + x_end,
                  argb_out.data() + static_cast<std::size_t>(py) * width + origin.x);
      }
    }
  }
}

}  // namespace pictavo
