#pragma once

#include <array>
#include <string>

#include "core/editor/picture.h"
#include "core/editor/pixel_code.h"

namespace pictavo {

enum class DrawTool { Pen, Bucket, Pipe, ChangeColor, SelectBox };

struct CellPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const CellPoint&, const CellPoint&) = default;
};

// A box of 1-based inclusive cells.
struct CellRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  friend bool operator==(const CellRect&, const CellRect&) = default;
};

inline constexpr int UndoDepth = 50;
inline constexpr int MinPixelSize = 1;
inline constexpr int MaxPixelSize = 49;
// The part of the canvas bitmap that is ever shown, in screen pixels.
inline constexpr int ViewWidth = 670;
inline constexpr int ViewHeight = 587;

// The one record of editing state, owned by the main window for the whole run.
// It holds no window and no callback, so every tool can be exercised on it alone.
struct EditorState {
  ::pictavo::Picture Picture;

  int PixelSize = 5;
  PixelCode LeftColor = PixelCode::Black;
  PixelCode RightColor = PixelCode::Transparent;
  DrawTool CurrentTool = DrawTool::Pen;
  bool LeftButtonHeld = false;
  bool RightButtonHeld = false;
  bool ShowGrid = true;
  bool ShowBorder = false;
  bool AlignToByte = false;

  // Newest snapshot in slot 0; only the first UndoCount slots are valid.
  std::array<::pictavo::Picture, UndoDepth> UndoStack{};
  int UndoCount = 0;
  bool UndoAvailable = false;

  bool SkinMode = false;
  int CurrentIconIndex = 0;
  int CurrentSubIconIndex = 0;
  int PreviewScale = 1;

  std::string VersionText = "Pictavo v.2.0";
  int PictureFileVersion = 2;

  // Selection.
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
  // Cells at which the rubber band and the paste ghost were last drawn; they
  // only spare redundant redraws.
  CellPoint RubberBandCell;
  CellPoint GhostCell;
};

}  // namespace pictavo
