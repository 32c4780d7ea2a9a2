#include "core/editing/editor.h"

#include <algorithm>

#include "core/editing/selection_box.h"
#include "core/editing/sub_icon_sync.h"

namespace pictavo {

Editor::Editor(EditorView* view)
    : state_(std::make_unique<EditorState>()),
      tools_(MakeTools()),
      view_(view ? view : &fallback_view_) {}

void Editor::SetView(EditorView* view) { view_ = view ? view : &fallback_view_; }

void Editor::Start() {
  EditorState& s = *state_;
  s.Tools.CurrentTool = DrawTool::Pen;
  s.Document.Picture.Height = MaxPictureHeight;
  s.Document.Picture.Width = MaxPictureWidth;
  s.View.ShowGrid = true;
  s.Selection.BoxDragging = false;
  s.View.ShowBorder = false;
  s.View.PixelSize = 5;
  s.View.PreviewScale = 1;
  s.Tools.RightColor = PixelCode::Transparent;
  UpdateUndoControls();
  view_->ViewControlsChanged();
  Render();
  view_->SwatchesChanged();
  ClearPicture();
}

// ---- undo -------------------------------------------------------------------

void Editor::PushUndo() {
  EditorState& s = *state_;
  s.Document.UndoAvailable = true;
  std::move_backward(s.Document.UndoStack.begin(), s.Document.UndoStack.end() - 1,
                     s.Document.UndoStack.end());
  std::move_backward(s.Document.UndoIcons.begin(), s.Document.UndoIcons.end() - 1,
                     s.Document.UndoIcons.end());
  s.Document.UndoStack[0] = s.Document.Picture;
  s.Document.UndoIcons[0].reset();
  if (s.Document.UndoCount < UndoDepth) ++s.Document.UndoCount;
  UpdateUndoControls();
}

void Editor::PushUndoWithIcon() {
  PushUndo();
  if (!state_->Document.SkinMode) return;
  if (const TSkinIcon* icon = CurrentIcon()) state_->Document.UndoIcons[0] = *icon;
}

void Editor::PopUndo() {
  EditorState& s = *state_;
  if (!s.Document.UndoAvailable) return;
  s.Document.Picture = s.Document.UndoStack[0];
  // The icon goes back with the Picture, so the two keep one size and the
  // sub-icons cut by a smaller size come back whole.
  if (s.Document.UndoIcons[0] && s.Document.SkinMode) {
    if (TSkinIcon* icon = CurrentIcon()) {
      *icon = std::move(*s.Document.UndoIcons[0]);
      s.Document.CurrentSubIconIndex =
          std::clamp(s.Document.CurrentSubIconIndex, 0, icon->SubIcons - 1);
    }
  }
  std::move(s.Document.UndoStack.begin() + 1, s.Document.UndoStack.end(),
            s.Document.UndoStack.begin());
  std::move(s.Document.UndoIcons.begin() + 1, s.Document.UndoIcons.end(),
            s.Document.UndoIcons.begin());
  s.Document.UndoIcons.back().reset();
  if (s.Document.UndoCount > 0) --s.Document.UndoCount;
  UpdateUndoControls();
  Render();
}

void Editor::ClearUndo() {
  state_->Document.UndoCount = 0;
  for (auto& icon : state_->Document.UndoIcons) icon.reset();
  UpdateUndoControls();
}

void Editor::UpdateUndoControls() {
  EditorState& s = *state_;
  if (s.Document.UndoCount == 0) s.Document.UndoAvailable = false;
  view_->UndoControlsChanged(s.Document.UndoAvailable);
}

void Editor::ClearPicture() {
  state_->Document.Picture.Cells.Fill(state_->Tools.RightColor);
  Render();
}

// ---- redrawing ----------------------------------------------------------------

void Editor::Render() { RenderScene(nullptr); }

void Editor::RenderWithOverlay(const CellOverlay& overlay) { RenderScene(&overlay); }

void Editor::RenderScene(const CellOverlay* ghost) {
  EditorState& s = *state_;
  // A code the icon's depth cannot keep is shown as the code it will be saved as.
  if (s.Document.SkinMode) FitPictureToIconDepth(s.Document, skin_);
  CanvasScene scene;
  scene.picture = &s.Document.Picture;
  scene.PixelSize = s.View.PixelSize;
  scene.ShowGrid = s.View.ShowGrid;
  scene.ShowBorder = s.View.ShowBorder;
  scene.box = ShownBox(s.Selection);
  scene.ghost = ghost;
  Viewport& shown = s.View.Shown;
  shown.Left =
      std::clamp(shown.Left, 0,
                 MaxScroll(DrawingLength(s.Document.Picture.Width, scene.PixelSize), shown.Width));
  shown.Top = std::clamp(
      shown.Top, 0,
      MaxScroll(DrawingLength(s.Document.Picture.Height, scene.PixelSize), shown.Height));
  scene.view = shown;
  canvas_.Render(scene);
  Present();
  view_->Rendered();
}

void Editor::Present() {
  view_->Present();
  // The Picture is the current sub-icon being edited: every screen update
  // writes it back, so the preview and a save always see the latest pixels.
  if (state_->Document.SkinMode) StoreSubIcon();
}

void Editor::StoreSubIcon() {
  StorePictureInSubIcon(state_->Document, skin_);
  view_->PreviewChanged();
}

void Editor::PaintCell(int x, int y) {
  if (state_->Document.SkinMode) FitPictureToIconDepth(state_->Document, skin_, {x, y, x, y});
  canvas_.PaintCell(state_->Document.Picture, state_->View.PixelSize, state_->View.ShowGrid, x, y);
  Present();
}

void Editor::ShowCoordinates(int px, int py) {
  view_->CoordinatesChanged(px / state_->View.PixelSize, py / state_->View.PixelSize);
}

// ---- view commands ------------------------------------------------------------

void Editor::SetAlignToByte(bool align) { state_->View.AlignToByte = align; }

void Editor::ToggleGrid() {
  state_->View.ShowGrid = !state_->View.ShowGrid;
  view_->ViewControlsChanged();
  Render();
}

void Editor::ToggleBorder() {
  state_->View.ShowBorder = !state_->View.ShowBorder;
  view_->ViewControlsChanged();
  Render();
}

// The menu and the arrows keep the cell at the view's top-left corner.
void Editor::SetPixelSizeFromMenu(int size) {
  Rezoom(std::clamp(size, MinPixelSize, MaxPixelSize), 0, 0);
  if (size <= 3) view_->ViewControlsChanged();
  Render();
}

void Editor::PixelSizeUp() {
  if (state_->View.PixelSize < MaxPixelSize) Rezoom(state_->View.PixelSize + 1, 0, 0);
  Render();
}

void Editor::PixelSizeDown() {
  if (state_->View.PixelSize > MinPixelSize) Rezoom(state_->View.PixelSize - 1, 0, 0);
  Render();
}

// ---- skin mode ------------------------------------------------------------------

void Editor::LeaveSkinMode() {
  state_->Document.SkinMode = false;
  Render();
}

TSkinIcon* Editor::CurrentIcon() {
  return skin_.Contains(state_->Document.CurrentIconIndex)
             ? &skin_.At(state_->Document.CurrentIconIndex)
             : nullptr;
}

const TSkinIcon* Editor::CurrentIcon() const {
  return skin_.Contains(state_->Document.CurrentIconIndex)
             ? &skin_.At(state_->Document.CurrentIconIndex)
             : nullptr;
}

}  // namespace pictavo
