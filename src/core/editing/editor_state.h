#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/model/picture.h"
#include "core/model/pixel_code.h"
#include "core/model/skin.h"
#include "core/render/viewport.h"

namespace pictavo {

enum class DrawTool { Pen, Bucket, Pipe, ChangeColor, SelectBox };

inline constexpr int UndoDepth = 50;
inline constexpr int MinPixelSize = 1;
inline constexpr int MaxPixelSize = 49;

// What is edited and saved: the picture, its undo snapshots and where in
// the skin it comes from.
struct DocumentState {
  ::pictavo::Picture Picture;
  // Newest snapshot in slot 0; only the first UndoCount slots are valid.
  std::array<::pictavo::Picture, UndoDepth> UndoStack{};
  // Beside each snapshot: the current icon as it was, when the command
  // changed the icon's size in skin mode; empty otherwise.
  std::array<std::optional<TSkinIcon>, UndoDepth> UndoIcons{};
  int UndoCount = 0;
  bool UndoAvailable = false;

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
  // The part of the canvas drawing the view shows, held to the drawing at
  // every redraw.
  Viewport Shown;
};

// The chosen tool and the colours of the two mouse buttons.
struct ToolState {
  DrawTool CurrentTool = DrawTool::Pen;
  PixelCode LeftColor = PixelCode::Black;
  PixelCode RightColor = PixelCode::Transparent;
};

// What the mouse is doing right now.
struct PointerState {
  bool LeftButtonHeld = false;
  bool RightButtonHeld = false;
  // Cells at which the rubber band and the paste ghost were last drawn; they
  // only spare redundant redraws.
  CellPoint RubberBandCell;
  CellPoint GhostCell;
};

// The selection box and the captured pixels.
struct SelectionState {
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
// only the Editor's operations change it. It holds no window and no callback,
// so every tool can be exercised on it alone.
struct EditorState {
  DocumentState Document;
  ViewOptions View;
  ToolState Tools;
  PointerState Pointer;
  SelectionState Selection;
};

}  // namespace pictavo
