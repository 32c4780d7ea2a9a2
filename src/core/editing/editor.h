#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "core/editing/document_keeper.h"
#include "core/editing/edit_scope.h"
#include "core/editing/editor_state.h"
#include "core/editing/editor_view.h"
#include "core/editing/tools/tool.h"
#include "core/model/skin.h"
#include "core/render/canvas_raster.h"

namespace pictavo {

// The whole editor without a window: the state, the skin, the canvas bitmap
// and the operations every command is built from. Window classes only call
// these and draw what the view is told. The document (the picture, its name,
// the skin, the mode) changes only inside an EditScope; the view, tool,
// pointer and selection settings are set directly by the operations below
// and by the tools through their ToolContext.
class Editor {
 public:
  explicit Editor(EditorView* view = nullptr);

  const EditorState& State() const { return *state_; }
  const ::pictavo::Skin& Skin() const { return skin_; }
  // The canvas bitmap: drawn from the state, never part of the document.
  CanvasRaster& Canvas() { return canvas_; }
  EditorView& View() { return *view_; }
  void SetView(EditorView* view);

  // Start-up: start values, then the first render and the cleared picture.
  void Start();

  // What a save would write changed since it was last saved, opened or
  // filed; MarkSaved is called once it is.
  bool HasUnsavedChanges() const {
    return state_->Document.Version != state_->Document.SavedVersion;
  }
  void MarkSaved();
  // Changed since it was last saved, opened or kept in the history: what
  // would be lost if it were discarded now.
  bool HoldsUnkeptWork() const {
    const DocumentState& d = state_->Document;
    return d.Version != d.SavedVersion && d.Version != d.FiledVersion;
  }
  // A skin saved while a picture is edited: the picture stays unsaved.
  void MarkSkinSaved();
  // Kept in the history as it is: not kept again until it changes.
  void MarkFiled() { state_->Document.FiledVersion = state_->Document.Version; }
  // Brought back from the history: kept there, yet not saved to its file.
  void MarkRecovered();
  void SetFilePath(std::string path);

  // Where documents about to be discarded go; none by default.
  void SetKeeper(DocumentKeeper* keeper) { keeper_ = keeper; }
  // Called by every command before it replaces the picture or the skin
  // wholesale: what it would discard and has not been saved, opened or kept
  // since it last changed is handed to the keeper. False when the keeper
  // stops the command, which then changes nothing.
  [[nodiscard]] bool KeepBeforeDiscard(DiscardingCommand command);

  // `PictureName`: Latin-1 bytes, as the name box holds them.
  void SetPictureName(std::string latin1);

  // Undo and redo. Redo steps forward through what undo stepped back.
  void PopUndo();
  void PopRedo();
  // Empties both: the steps belong to the sub-icon they were made on.
  void ClearUndo();
  void UpdateUndoControls();
  // Every cell of the storage becomes RightColor; not undoable. The picture
  // it replaces is kept first (false: the keeper stopped it).
  bool ClearPicture();

  // Redrawing: these change nothing of the document (they only hold the view
  // offset to the drawing and normalise the shown box).
  void Render();
  // A Render with squares laid over the picture in the same pass (the paste
  // ghost), drawn over the grid, the frame and the box as well.
  void RenderWithOverlay(const CellOverlay& overlay);
  // Shows the canvas bitmap; in skin mode the preview is drawn again too.
  void Present();
  void ShowCoordinates(int px, int py);

  // View commands.
  void SetAlignToByte(bool align);
  void ToggleGrid();
  void ToggleBorder();
  // Onion skin: the frame before the edited one (and with `next` the one
  // after it) shown faintly on the canvas in skin mode; view only.
  void SetOnionSkin(bool shown, bool next);
  // The pixel-size menu items; sizes 1 to 3 also resync the view controls.
  void SetPixelSizeFromMenu(int size);
  void PixelSizeUp();
  void PixelSizeDown();

  // Scrolling and zooming the view. Positions given are in the view; each
  // changed view is drawn again. The offset is held to the drawing, so a
  // picture that fits the view is always shown from its top-left corner.
  void SetViewSize(int width, int height);
  void ScrollTo(int left, int top);
  void ScrollBy(int dx, int dy) {
    ScrollTo(state_->View.Shown.Left + dx, state_->View.Shown.Top + dy);
  }
  // The pixel size `steps` rungs of the zoom ladder up (down when
  // negative), keeping the cell under view position (x, y) where it is.
  void ZoomAt(int steps, int x, int y);
  void ZoomAtCentre(int steps);
  // The largest pixel size at which the whole picture fits the view's room
  // without scroll bars, so the answer is the same whether bars show or not.
  void FitToView(int room_width, int room_height);

  // Colours and tools.
  void SetColor(MouseButton button, PixelCode code);
  void SetLeftColor(PixelCode code);
  void SetRightColor(PixelCode code);
  void SelectTool(DrawTool tool);
  // The rectangle tool's outline and filled modes.
  void SetRectangleFilled(bool filled) { state_->Tools.RectangleFilled = filled; }
  // Shift as the window saw it with the pointer event it passes next.
  void SetShiftHeld(bool held) { state_->Pointer.ShiftHeld = held; }
  // The select panel's Select and Paste buttons; while the select box is the
  // tool, the modes follow them.
  void SetSelectPanelModes(bool select_down, bool paste_down);

  // Canvas mouse handlers, positions in canvas pixels as reported.
  void MouseDown(MouseButton button, int x, int y);
  void MouseMove(int x, int y);
  void MouseUp(MouseButton button, int x, int y);
  // Clamps a reported position onto the picture's last column and row.
  CellPoint Clamp(int x, int y) const;

  // Size controls.
  void SetWidthQuick(int width);
  void SetHeightQuick(int height);
  void WidthUp();
  void WidthDown();
  void HeightUp();
  void HeightDown();
  // The confirmed Set Size dialog: undo step, new size, the icon resized.
  void ApplySetSize(int width, int height);
  // New Picture after its dialog: confirmed with a size, or cancelled.
  // False when the keeper stopped it, which then changes nothing.
  bool NewPicture(bool confirmed, int width, int height);
  // Ends skin mode and redraws so the window returns to the plain layout.
  void LeaveSkinMode();

  // The current icon in skin mode, or null when the skin holds none there.
  const TSkinIcon* CurrentIcon() const;

 private:
  friend class EditScope;
  friend class ToolContext;
  friend struct EditorTestDoor;

  EditorState& MutableState() { return *state_; }
  ::pictavo::Skin& MutableSkin() { return skin_; }
  TSkinIcon* MutableCurrentIcon();
  // Saves the undo step a scope's rule asks for; the redo steps go.
  void PushUndo(UndoRule rule);
  // Moves the newest step of `from` into the Picture (and the icon), the
  // Picture as it was onto `to`.
  void StepHistory(UndoRing& from, UndoRing& to);
  // What a closing scope does: fit and store a changed Picture, count the
  // change and draw again.
  void ClearCells();
  void CommitEdit(bool changed, bool document_changed, bool redraw,
                  std::span<const CellPoint> cells);
  void RenderScene(const CellOverlay* ghost);
  // The frames the canvas shows faintly now: none outside skin mode or
  // without onion skin.
  OnionFrames Onion() const;
  void PaintCanvasCell(int x, int y);
  // The width and height arrows: one step of either, with its undo step.
  void StepSize(int width_step, int height_step);
  // A new pixel size, the offset moved to keep view position (x, y) on the
  // same cell; no redraw.
  void Rezoom(int size, int x, int y);
  Tool& CurrentTool();

  std::unique_ptr<EditorState> state_;
  ::pictavo::Skin skin_;
  CanvasRaster canvas_;
  ToolSet tools_;
  EditorView fallback_view_;
  EditorView* view_;
  DocumentKeeper* keeper_ = nullptr;
};

}  // namespace pictavo
