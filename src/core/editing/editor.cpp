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
  ClearCells();
  // The empty start picture holds no work.
  MarkSaved();
}

// ---- edits and undo ------------------------------------------------------------

void Editor::SetPictureName(std::string latin1) {
  if (latin1 == state_->Document.Name) return;
  {
    EditScope scope(*this);
    scope.Document().Name = std::move(latin1);
    scope.DocumentChanged();
  }
  view_->PictureNameChanged();
}

void Editor::PushUndo(UndoRule rule) {
  DocumentState& d = state_->Document;
  UndoEntry entry{d.Picture, std::nullopt};
  if (rule == UndoRule::PictureAndIcon && d.SkinMode) {
    if (const TSkinIcon* icon = CurrentIcon()) entry.Icon = *icon;
  }
  d.Undo.Push(std::move(entry));
  d.Redo.Clear();
  UpdateUndoControls();
}

void Editor::PopUndo() { StepHistory(state_->Document.Undo, state_->Document.Redo); }

void Editor::PopRedo() { StepHistory(state_->Document.Redo, state_->Document.Undo); }

void Editor::StepHistory(UndoRing& from, UndoRing& to) {
  if (!from.Available()) return;
  EditScope scope(*this);
  DocumentState& d = state_->Document;
  UndoEntry entry;
  from.Pop(entry);
  UndoEntry back{d.Picture, std::nullopt};
  bool changed = !(d.Picture == entry.Picture);
  d.Picture = entry.Picture;
  // The icon goes back with the Picture, so the two keep one size and the
  // sub-icons cut by a smaller size come back whole.
  if (entry.Icon && d.SkinMode) {
    if (TSkinIcon* icon = MutableCurrentIcon()) {
      if (!(*icon == *entry.Icon)) scope.DocumentChanged();
      back.Icon = std::move(*icon);
      *icon = std::move(*entry.Icon);
      d.CurrentSubIconIndex = std::clamp(d.CurrentSubIconIndex, 0, icon->SubIcons - 1);
    }
  }
  to.Push(std::move(back));
  UpdateUndoControls();
  scope.ChangedIf(changed);
}

void Editor::ClearUndo() {
  state_->Document.Undo.Clear();
  state_->Document.Redo.Clear();
  UpdateUndoControls();
}

void Editor::UpdateUndoControls() {
  view_->UndoControlsChanged(state_->Document.Undo.Available());
  view_->RedoControlsChanged(state_->Document.Redo.Available());
}

void Editor::MarkSaved() {
  DocumentState& d = state_->Document;
  d.SavedVersion = d.Version;
  if (d.SkinMode) d.SkinUnsaved = false;
  view_->DocumentStateChanged();
}

void Editor::MarkSkinSaved() {
  if (state_->Document.SkinMode) {
    MarkSaved();
  } else {
    state_->Document.SkinUnsaved = false;
  }
}

void Editor::MarkRecovered() {
  DocumentState& d = state_->Document;
  d.FiledVersion = d.Version;
  // Any value the version has passed: it only grows, so it never comes back.
  d.SavedVersion = d.Version - 1;
  view_->DocumentStateChanged();
}

void Editor::SetFilePath(std::string path) {
  state_->Document.FilePath = std::move(path);
  view_->DocumentStateChanged();
}

bool Editor::KeepBeforeDiscard(DiscardingCommand command) {
  if (keeper_ == nullptr) return true;
  DocumentState& d = state_->Document;
  if (HoldsUnkeptWork()) {
    if (!keeper_->Keep(*this, d.SkinMode ? DocumentKind::Skin : DocumentKind::Picture, command)) {
      return false;
    }
    d.FiledVersion = d.Version;
    if (d.SkinMode) d.SkinUnsaved = false;
  }
  // The skin left behind when skin mode ended goes too.
  if (!d.SkinMode && d.SkinUnsaved && DiscardsSkin(command)) {
    if (!keeper_->Keep(*this, DocumentKind::Skin, command)) return false;
    d.SkinUnsaved = false;
  }
  return true;
}

bool Editor::ClearPicture() {
  if (!KeepBeforeDiscard(DiscardingCommand::ClearImage)) return false;
  ClearCells();
  return true;
}

void Editor::ClearCells() {
  EditScope scope(*this);
  PictureCells& cells = state_->Document.Picture.Cells;
  const PixelCode code = state_->Tools.RightColor;
  constexpr std::size_t count =
      static_cast<std::size_t>(PictureCells::ColumnCount) * PictureCells::RowCount;
  const bool changed =
      std::any_of(cells.Data(), cells.Data() + count, [code](PixelCode c) { return c != code; });
  cells.Fill(code);
  scope.ChangedIf(changed);
}

void Editor::CommitEdit(bool changed, bool document_changed, bool redraw,
                        std::span<const CellPoint> cells) {
  DocumentState& d = state_->Document;
  bool counted = document_changed;
  if (changed || !cells.empty()) {
    if (d.SkinMode) {
      // A code the icon's depth cannot keep is shown as the code it will be
      // saved as, and the sub-icon holds what the canvas shows. The skin is
      // what a save writes: only a new code in it counts.
      if (changed) {
        FitPictureToIconDepth(d, skin_);
      } else {
        for (const CellPoint& c : cells) FitPictureToIconDepth(d, skin_, {c.x, c.y, c.x, c.y});
      }
      counted = StorePictureInSubIcon(d, skin_) || counted;
    } else {
      counted = true;
    }
  }
  if (counted) {
    ++d.Version;
    if (d.SkinMode) d.SkinUnsaved = true;
    view_->DocumentStateChanged();
  }
  if (changed || redraw) {
    Render();
  } else if (!cells.empty()) {
    for (const CellPoint& c : cells) PaintCanvasCell(c.x, c.y);
    Present();
  }
}

// The square of a cell as the canvas shows it, onion skin included.
void Editor::PaintCanvasCell(int x, int y) {
  const OnionFrames onion = Onion();
  canvas_.PaintCell(state_->Document.Picture, state_->View.PixelSize, state_->View.ShowGrid, x, y,
                    onion.Any() ? &onion : nullptr);
}

OnionFrames Editor::Onion() const {
  const EditorState& s = *state_;
  const TSkinIcon* icon = s.Document.SkinMode && s.View.OnionSkin ? CurrentIcon() : nullptr;
  if (icon == nullptr || icon->Data.size() != icon->ExpectedDataSize()) return {};
  const int frame = s.Document.CurrentSubIconIndex;
  const auto start = [icon](int sub_icon) { return &icon->Data[icon->DataIndex(sub_icon, 0, 0)]; };
  OnionFrames onion{nullptr, nullptr, icon->Width, icon->Height};
  if (frame > 0 && frame < icon->SubIcons) onion.previous = start(frame - 1);
  if (s.View.OnionNext && frame >= 0 && frame + 1 < icon->SubIcons) onion.next = start(frame + 1);
  return onion;
}

// ---- redrawing ----------------------------------------------------------------

void Editor::Render() { RenderScene(nullptr); }

void Editor::RenderWithOverlay(const CellOverlay& overlay) { RenderScene(&overlay); }

void Editor::RenderScene(const CellOverlay* ghost) {
  EditorState& s = *state_;
  CanvasScene scene;
  scene.picture = &s.Document.Picture;
  scene.PixelSize = s.View.PixelSize;
  scene.ShowGrid = s.View.ShowGrid;
  scene.ShowBorder = s.View.ShowBorder;
  scene.box = ShownBox(s.Selection);
  scene.ghost = ghost;
  const OnionFrames onion = Onion();
  if (onion.Any()) scene.onion = &onion;
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
  if (state_->Document.SkinMode) view_->PreviewChanged();
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

void Editor::SetOnionSkin(bool shown, bool next) {
  state_->View.OnionSkin = shown;
  state_->View.OnionNext = next;
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
  EditScope scope(*this);
  if (state_->Document.SkinMode) {
    state_->Document.SkinMode = false;
    scope.DocumentChanged();
  }
  scope.Redraw();
}

TSkinIcon* Editor::MutableCurrentIcon() {
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
