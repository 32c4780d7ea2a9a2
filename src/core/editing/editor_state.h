#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/editing/undo_ring.h"
#include "core/model/picture.h"
#include "core/model/pixel_code.h"
#include "core/model/skin.h"
#include "core/render/viewport.h"

namespace pictavo {

enum class DrawTool { Pen, Bucket, Pipe, ChangeColor, SelectBox, Line, Rectangle };
inline constexpr std::size_t DrawToolCount = 7;

inline constexpr int MinPixelSize = 1;
inline constexpr int MaxPixelSize = 49;

// What is edited and saved: the picture and its name, the undo steps and
// where in the skin the picture comes from.
struct DocumentState {
  ::pictavo::Picture Picture;
  // `PictureName`: 8-bit Latin-1 bytes, as the name box shows them and a
  // picture file stores them.
  std::string Name;
  UndoRing Undo;
  // What undo stepped back, newest first; any new undo step empties it.
  UndoRing Redo;

  // Goes up by one with every edit that changes what a save would write (the
  // picture and its name, or the skin); SavedVersion is its value when the
  // document was last saved, opened or filed.
  std::uint64_t Version = 0;
  std::uint64_t SavedVersion = 0;
  // The value when the document was last kept in the history.
  std::uint64_t FiledVersion = 0;
  // The skin changed since it was last saved, opened or kept; it stays in
  // memory after skin mode ends, so this outlives the mode.
  bool SkinUnsaved = false;
  // The file the document was opened from or saved to; empty for a new one.
  std::string FilePath;

  bool SkinMode = false;
  int CurrentIconIndex = 0;
  int CurrentSubIconIndex = 0;

  std::string VersionText = "Pictavo v.2.0";
  int PictureFileVersion = 2;
};

// How the picture is shown and exported; none of it is saved.
struct ViewOptions {
  int PixelSize = 5;
  bool ShowGrid = true;
  bool ShowBorder = false;
  bool AlignToByte = false;
  int PreviewScale = 1;
  // In skin mode the frame before the edited one, and with OnionNext the
  // one after it too, shows faintly on the canvas (onion skin).
  bool OnionSkin = false;
  bool OnionNext = false;
  // The part of the canvas drawing the view shows, held to the drawing at
  // every redraw.
  Viewport Shown;
};

// The chosen tool and the colours of the two mouse buttons.
struct ToolState {
  DrawTool CurrentTool = DrawTool::Pen;
  PixelCode LeftColor = PixelCode::Black;
  PixelCode RightColor = PixelCode::Transparent;
  // The rectangle tool fills the shapes it draws instead of outlining them.
  bool RectangleFilled = false;
};

// What the mouse is doing right now.
struct PointerState {
  bool LeftButtonHeld = false;
  bool RightButtonHeld = false;
  // Shift with the last pointer event: shapes keep straight or square.
  bool ShiftHeld = false;
  // Cells at which the rubber band and the paste ghost were last drawn; they
  // only spare redundant redraws.
  CellPoint RubberBandCell;
  CellPoint GhostCell;
};

// The selection box and the captured pixels.
struct SelectionState {
  // The select panel's Select and Paste buttons. They keep their state while
  // another tool is chosen; the modes below follow them only while the
  // select box is the tool.
  bool PanelSelectDown = true;
  bool PanelPasteDown = false;
  bool SelectMode = false;
  bool PasteMode = false;
  bool BoxVisible = false;
  bool BoxDragging = false;
  CellPoint BoxStart;
  CellPoint BoxEnd;
  CellRect SelectionRect;
  SelectionGrid SelectionBuffer;
  SelectionGrid SelectionScratch;
  bool SelectionCaptured = false;
};

// The editing state, owned by the Editor for the whole run. Windows read it;
// only the Editor's operations, the edit scopes they open and the tools'
// context change it. It holds no window and no callback, so every tool can be
// exercised on it alone.
struct EditorState {
  DocumentState Document;
  ViewOptions View;
  ToolState Tools;
  PointerState Pointer;
  SelectionState Selection;
};

}  // namespace pictavo
