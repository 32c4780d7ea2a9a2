#include "core/editor/editor.h"

#include <algorithm>

#include "core/selection/selection.h"
#include "core/skin/icon_browser.h"

namespace pictavo {

Editor::Editor(EditorView* view)
    : state_(std::make_unique<EditorState>()), view_(view ? view : &fallback_view_) {}

void Editor::SetView(EditorView* view) { view_ = view ? view : &fallback_view_; }

void Editor::Start() {
  EditorState& s = *state_;
  s.CurrentTool = DrawTool::Pen;
  s.Picture.Height = MaxPictureHeight;
  s.Picture.Width = MaxPictureWidth;
  s.ShowGrid = true;
  s.BoxDragging = false;
  s.ShowBorder = false;
  s.PixelSize = 5;
  s.PreviewScale = 1;
  s.RightColor = PixelCode::Transparent;
  UpdateUndoControls();
  view_->ViewControlsChanged();
  Render();
  view_->SwatchesChanged();
  ClearPicture();
}

// ---- undo -------------------------------------------------------------------

void Editor::PushUndo() {
  EditorState& s = *state_;
  s.UndoAvailable = true;
  std::move_backward(s.UndoStack.begin(), s.UndoStack.end() - 1, s.UndoStack.end());
  s.UndoStack[0] = s.Picture;
  if (s.UndoCount < UndoDepth) ++s.UndoCount;
  UpdateUndoControls();
}

void Editor::PopUndo() {
  EditorState& s = *state_;
  if (!s.UndoAvailable) return;
  s.Picture = s.UndoStack[0];
  std::move(s.UndoStack.begin() + 1, s.UndoStack.end(), s.UndoStack.begin());
  if (s.UndoCount > 0) --s.UndoCount;
  UpdateUndoControls();
  Render();
}

void Editor::ClearUndo() {
  state_->UndoCount = 0;
  UpdateUndoControls();
}

void Editor::UpdateUndoControls() {
  EditorState& s = *state_;
  if (s.UndoCount == 0) s.UndoAvailable = false;
  view_->UndoControlsChanged(s.UndoAvailable);
}

void Editor::ClearPicture() {
  state_->Picture.Cells.Fill(state_->RightColor);
  Render();
}

// ---- redrawing ----------------------------------------------------------------

void Editor::Render() {
  canvas_.RenderPicture(*state_);
  DrawSelectionBox(*this);
  Present();
  view_->Rendered();
}

void Editor::RenderWithOverlay(const CellOverlay& overlay) {
  canvas_.SetOverlay(&overlay, state_->PixelSize);
  Render();
  canvas_.SetOverlay(nullptr, state_->PixelSize);
}

void Editor::Present() {
  view_->Present();
  if (state_->SkinMode) StoreSubIcon(*this);
}

void Editor::PaintCell(int x, int y) {
  canvas_.PaintCell(*state_, x, y);
  Present();
}

void Editor::ShowCoordinates(int px, int py) {
  view_->CoordinatesChanged(px / state_->PixelSize, py / state_->PixelSize);
}

// ---- view commands ------------------------------------------------------------

void Editor::ToggleGrid() {
  state_->ShowGrid = !state_->ShowGrid;
  view_->ViewControlsChanged();
  Render();
}

void Editor::ToggleBorder() {
  state_->ShowBorder = !state_->ShowBorder;
  view_->ViewControlsChanged();
  Render();
}

void Editor::SetPixelSizeFromMenu(int size) {
  state_->PixelSize = std::clamp(size, MinPixelSize, MaxPixelSize);
  if (size <= 3) view_->ViewControlsChanged();
  Render();
}

void Editor::PixelSizeUp() {
  if (state_->PixelSize < MaxPixelSize) ++state_->PixelSize;
  Render();
}

void Editor::PixelSizeDown() {
  if (state_->PixelSize > MinPixelSize) --state_->PixelSize;
  Render();
}

// ---- skin mode ------------------------------------------------------------------

void Editor::LeaveSkinMode() {
  state_->SkinMode = false;
  Render();
}

TSkinIcon* Editor::CurrentIcon() {
  return skin_.Contains(state_->CurrentIconIndex) ? &skin_.At(state_->CurrentIconIndex) : nullptr;
}

const TSkinIcon* Editor::CurrentIcon() const {
  return skin_.Contains(state_->CurrentIconIndex) ? &skin_.At(state_->CurrentIconIndex) : nullptr;
}

}  // namespace pictavo
