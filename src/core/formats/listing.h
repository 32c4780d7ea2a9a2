#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/model/picture.h"

namespace pictavo {

// The source-text formats offered by the tool bar and the export panel.
enum class ListingFormat { Cpp, Asm1, Asm2, Asm4, Asm8 };

// The export panel's "Format" radio items, 0 "C++ array format" to 4 "ASM 8bpp
// format". No format for an index outside 0..4 (no item chosen).
std::optional<ListingFormat> ListingFormatFromRadioIndex(int index);

// Text of `format` for the picture or the captured selection, labelled with the
// picture's name (Latin-1 bytes, written unchanged). `align` only matters for
// Asm1, Asm2 and Asm4. Lines end with CR LF; the Cpp text ends with "}" alone.
std::string BuildListing(CodeGridView source, std::string_view name, ListingFormat format,
                         bool align);

// The picture as a C++ array packed at 1 bit per pixel, never aligned, in
// groups of 25 decimal values.
std::string MonoArrayListing(CodeGridView picture, std::string_view name);

// The 8-bit assembler text of "Save (asm 8bpp format)...", codes as decimal
// digits, with the CR LF line ends it has on disk.
std::string AsmFileListing(CodeGridView picture, std::string_view name);

// What the whole-picture clipboard export puts on the clipboard: the listing of
// `format` directly followed by the 1-bit C++ array.
std::string PictureClipboardText(CodeGridView picture, std::string_view name, ListingFormat format,
                                 bool align);

}  // namespace pictavo
