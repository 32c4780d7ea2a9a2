#pragma once

#include <span>

#include "core/documents/frame_import.h"
#include "core/imaging/bitmap_import.h"

namespace pictavo {

class Editor;

// "OK" of the import window: the document it replaces is kept, then
// ImportGrid is written into the Picture's cells, its size set and the canvas
// drawn again. No undo step; nothing else changes. Does nothing without an
// image. False when nothing was imported: no image, or the keeper stopped it.
bool AcceptImport(const BitmapImport& import, Editor& editor);
// "Import frames" on OK: every frame becomes one sub-icon of the current
// icon (see ImportFramesIntoIcon); nothing changes without an image.
FrameImportOutcome ImportFrames(const BitmapImport& import, Editor& editor);

// The same for the current icon in skin mode, then makes sub-icon 0 current
// and loads it into the Picture.
// Makes no undo step and empties the undo stack, like every move to another
// sub-icon. Changes nothing, and says so, without a current icon, without
// frames, or when the frames exceed the room.
FrameImportOutcome ImportFramesIntoIcon(Editor& editor, std::span<const RgbImage> frames,
                                        const ConversionOptions& options, bool fit);

}  // namespace pictavo
