#pragma once

#include <string>

namespace pictavo {

class Editor;

// The operations of the select tool panel on the captured selection. Before
// the first capture each of them does nothing at all: no undo step, no redraw.

// Quarter turns and mirrorings of the SelectionBuffer only: the picture, the
// box and the undo stack stay as they are and nothing is redrawn; the result
// shows at the next paste or paste ghost.
void RotateSelectionLeft(Editor& editor);
void RotateSelectionRight(Editor& editor);
// Reverses the order of the rows: the top row becomes the bottom row.
void FlipSelectionHorizontally(Editor& editor);
// Reverses the order of the columns: the left column becomes the right column.
void FlipSelectionVertically(Editor& editor);

enum class CropResult {
  Cropped,
  NothingCaptured,
  // The buffer is taller than a picture can be (a quarter turn of a capture
  // wider than MaxPictureHeight); nothing changed.
  TooTall,
};

// "Cut off select": the buffer becomes the whole picture (undo step, Render)
// and the box frames it.
CropResult CropToSelection(Editor& editor);
// The text the window shows when the crop is refused as TooTall.
std::string CropRefusalMessage(int buffer_height);

// "Clear select": every cell of the last box becomes RightColor (undo step,
// Render), whether or not the box is still shown and also where it lies
// beyond the current picture size.
void ClearSelection(Editor& editor);

// The undo step "Save select to PTV file" saves before it asks for a file,
// though it changes nothing in the picture.
void SaveSelectionUndoStep(Editor& editor);

}  // namespace pictavo
