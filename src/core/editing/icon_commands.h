#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/pixel_code.h"
#include "core/model/skin.h"
#include "core/render/preview_raster.h"

namespace pictavo {

class Editor;

// The message box a BPP arrow shows when the icon cannot take the new depth.
inline const std::string BppRefusedText = "Cannot convert this icon...\n" +
                                          std::string(PackingRuleText) +
                                          "Change icon dimentions first.";
inline constexpr std::string_view InvalidIconParametersTitle = "Invalid icon parameters!";

// The icon bar. Every command below that works on the current icon does
// nothing when the skin holds no icon at CurrentIconIndex. Moving to another
// icon or sub-icon loads it into the Picture and empties the undo stack.

// Makes the icon at index current with its sub-icon 0 (the icon list's change
// action); an index outside the skin does nothing.
void SelectIcon(Editor& editor, int index);
void NextSubIcon(Editor& editor);
void PreviousSubIcon(Editor& editor);
// A copy of the current sub-icon follows it and becomes current.
void AddSubIcon(Editor& editor);
// Refused while the icon has only one sub-icon.
void DeleteSubIcon(Editor& editor);

// Fits every code of the icon to its (just changed) BPP. When Width x Height
// x BPP is no multiple of 8 the depth goes one step back up first and true is
// returned, so the window shows BppRefusedText.
bool FitIconToBpp(TSkinIcon& icon, PixelCode right_color);
// The BPP arrows: 1, 2, 4 (and down from a file's 8). They keep the undo
// stack. True when the depth was refused and the message is due.
bool RaiseBpp(Editor& editor);
bool LowerBpp(Editor& editor);

// Gives the icon prepared by the Add Icon dialog its pixels, inserts it right
// after the current icon (at 0 in an empty skin) and makes it current. False
// when nothing was added.
bool AddIcon(Editor& editor, TSkinIcon prepared);
// Removes the current icon; the one that followed it, or the new last one,
// becomes current.
void DeleteIcon(Editor& editor);

void PreviewZoomIn(Editor& editor);
void PreviewZoomOut(Editor& editor);

// A release over the preview: makes the sub-icon there current. False when
// the position chooses none.
bool ChoosePreviewSubIcon(Editor& editor, int x, int y, int image_height);

// Draws the preview of the current icon into a width x height buffer of
// 0xFFRRGGBB pixels on the given background, in the colours given (the
// editor's, or a device's); without a current icon the buffer is all
// background.
void DrawPreview(const Editor& editor, int width, int height, Rgb background,
                 std::vector<std::uint32_t>& argb_out, const CodePalette& colors = CodeColors);
// The same for one sub-icon of the current icon alone, as frame playback
// shows it; a frame outside the icon draws only the background.
void DrawPreviewFrame(const Editor& editor, int frame, int width, int height, Rgb background,
                      std::vector<std::uint32_t>& argb_out, const CodePalette& colors = CodeColors);

}  // namespace pictavo
