#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/fonts/char_set.h"
#include "core/formats/fonts/font_face.h"
#include "core/imaging/dithering.h"
#include "core/model/error.h"
#include "core/model/expected.h"
#include "core/model/skin.h"

namespace pictavo {

// Opens a font file's bytes; a file of another kind the program knows is
// named: "is a PNG image, not a font".
expected<FontFace, Error> OpenFontFile(std::vector<std::uint8_t> bytes, std::string_view name);

// Sizes a font may be asked for, in pixels.
inline constexpr int MinFontPixelSize = 1;
inline constexpr int MaxFontPixelSize = 255;

// How a font becomes a skin of glyph icons.
struct FontImportOptions {
  int size = 0;               // pixels; 0 takes a bitmap font's first size
  std::optional<int> height;  // rows of every icon; by default the font's line
  std::optional<int> width;   // columns of every icon; by default each advance
  int depth = 1;              // 1: monochrome; 2: coverage through the grays
  GrayLevels levels = ShownGrays;
  bool invert = false;                 // White ink on Black
  bool transparent = false;            // depth 2: the background Transparent
  std::optional<FontHinting> hinting;  // by default Mono at depth 1, Normal at 2
  CharSet chars = PrintableAscii();
  std::optional<int> ids_from;
};

// The hinting used when none is asked for.
FontHinting DefaultHinting(int depth);

// A skin can keep Transparent only at 4 bits per pixel: a transparent
// background stores its icons so, or a save would turn it Black.
int StoredDepth(const FontImportOptions& options);

struct FontImport {
  Skin skin;  // one icon a glyph, in the order of the set
  LineMetrics line;
  int height = 0;  // of every icon
  // What the user should know, one sentence each: characters the font lacks,
  // glyphs whose ink was cut, widths padded.
  std::vector<std::string> notes;
};

// The glyphs of the set as icons: the ID from AssignIconIds, the line's
// height with the baseline on one row for all, the advance (or the fixed
// width) as width, padded on the right with background so that Width x
// Height x BPP fills whole bytes. Ink outside the cell is cut and noted.
// Refuses glyphs larger than an icon (naming them), a line higher than an
// icon, a set whose icons outgrow a skin file's stream, and a font that
// takes more than a second of processor time.
expected<FontImport, Error> ImportFont(FontFace& face, const FontImportOptions& options);

// The skin's name for a font: its family, in printable Latin-1, at most 16
// characters.
std::string SkinNameOfFont(const FontInfo& info);

}  // namespace pictavo
