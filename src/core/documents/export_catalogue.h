#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/formats/packing_order.h"
#include "core/model/error.h"
#include "core/model/expected.h"
#include "core/model/picture.h"
#include "core/model/skin.h"

namespace pictavo {

// The families of text a picture is exported as. Each family is one choice
// of the Export window; the depth makes it one format of the command line.
enum class ExportFamily {
  Listing,      // asm1..asm8: a clipboard button's listing, then the 1-bit C++ array
  Cpp,          // cpp: the C++ array of codes, then the 1-bit C++ array
  AsmFile,      // asmfile: what "Save (asm 8bpp format)..." writes
  CHeader,      // c1..c8
  GasSource,    // gas1..gas8
  XBitmap,      // xbm
  PictureFile,  // ptv: the picture file itself, bytes rather than a text
  // A whole skin, for skin export and the Export window's "Whole skin":
  SkinTableC,    // c: every frame of every icon, an index and a lookup
  SkinTableGas,  // gas: the same as a GNU as source
  SkinBytesC,    // skin-bytes-c: the skin file's own bytes as a C array
  SkinBytesGas,  // skin-bytes-gas: the same as a GNU as source
};

// What a format writes: the picture (or the selection), or the whole skin.
enum class ExportSource { Picture, Skin };

// What an export can be told beyond its format. Depth and Lookup are the
// skin tables': every icon at one depth, and the lookup from ID to entry.
enum class ExportOption { Align, BitOrder, Layout, Symbol, Depth, Lookup };

struct ExportChoices {
  bool align = false;
  BitOrder order = BitOrder::Lsb;
  ByteLayout layout = ByteLayout::Rows;
  // The array's name as the user gave it; empty: the picture's name, or the
  // fallback (a file's name) when that is no C identifier.
  std::string symbol;
  // Skin tables: 0 packs each icon at its own depth, 1, 2, 4 or 8 every icon
  // at that one.
  int depth = 0;
  bool lookup = false;
};

struct ExportFamilyInfo {
  ExportFamily family;
  std::string_view caption;  // the Export window's choice
  std::string_view suffix;   // without the dot
  // The save dialog's filter, in the "(Caption *.x)|*.x|..." form.
  std::string_view filter;
  bool has_depth;  // more than one depth to choose from
  // What its texts are, for the command line's help: "a C header".
  std::string_view help;
  // Its suffix names it: an output file called so is written in it.
  bool named_by_suffix;
  // Bytes, not a text: the Export window does not offer it, and the
  // command line writes it to no terminal.
  bool binary;
  ExportSource source;
};

struct ExportFormat {
  std::string_view name;  // "gas4": the command line's --format
  ExportFamily family;
  int depth;  // bits per pixel of the bytes; 8 for the texts of codes

  const ExportFamilyInfo& Family() const;
  ExportSource Source() const { return Family().source; }
  // Whether the option means something for this format at all (the window
  // enables its control, the command line accepts it); alignment also needs
  // rows, see RefusedOption.
  bool Takes(ExportOption option) const;
};

// Every export format of the source, in the order the command line's help
// lists them.
std::span<const ExportFormat> ExportFormats(ExportSource source = ExportSource::Picture);
// Every family of the source, in the order the Export window offers them.
std::span<const ExportFamilyInfo> ExportFamilies(ExportSource source = ExportSource::Picture);

// The format of the source with that name; the names of all sources differ.
const ExportFormat* FindExportFormat(std::string_view name,
                                     ExportSource source = ExportSource::Picture);
// The format an output file's name asks for by its suffix, any case: .h a C
// header, .s (or .S) a GNU as source, each at `depth`; .xbm an X bitmap;
// .ptv a picture file. Nothing for any other name.
const ExportFormat* ExportFormatOfName(std::string_view file_name, int depth);
// The family's format at that depth; a family of one depth ignores it, and a
// depth the family lacks gives its first.
const ExportFormat& ExportFormatOf(ExportFamily family, int depth);
// "cpp, asm1, ..., gas8 or xbm".
std::string ExportFormatNames(ExportSource source = ExportSource::Picture);
// The formats with what each gives, for --format's help: "cpp, asm1, asm2,
// asm4 or asm8: the text of the matching clipboard button; ...; xbm: an X bitmap."
std::string ExportFormatHelp(ExportSource source = ExportSource::Picture);

// Why `option`, given with the other choices, is refused for `format` (a
// usage error that names the option), or nothing when it applies.
std::optional<std::string> RefusedOption(const ExportFormat& format, ExportOption option,
                                         const ExportChoices& choices);
// The choices as the format takes them: those it does not take at their
// defaults, so that a window control left set while disabled changes nothing.
ExportChoices ChoicesFor(const ExportFormat& format, ExportChoices choices);

// The symbol a compiler text is written with: the given one, else the
// picture's name when it is a C identifier, else the fallback (a file's
// name) spelled as one; then mended where it is reserved (see MendedSymbol).
std::string ExportSymbol(const ExportChoices& choices, std::string_view name,
                         std::string_view fallback);
// What to tell the user when a name they gave (the given symbol, or the
// picture's or skin's name) had to change: "the symbol is int_picture
// (\"int\" is a keyword of C or C++)". Empty when none had to, or none was given.
std::string ExportSymbolNote(const ExportChoices& choices, std::string_view name,
                             std::string_view fallback,
                             ExportSource source = ExportSource::Picture);

// The whole text of the picture in the format, in the program's bytes
// (Latin-1, the format's own line ends). `name` is the picture's name: the
// listings' label, and the symbol when the choices give none.
std::string WriteExport(const ExportFormat& format, CodeGridView picture, std::string_view name,
                        const ExportChoices& choices, std::string_view fallback = {});

// The whole text of the skin in a skin format, or why the skin cannot be
// written so (no icon, an icon a skin file cannot hold, pages for an icon
// of more than 1 bit, ...). `name` is the skin's name field.
expected<std::string, Error> WriteSkinExport(const ExportFormat& format, const Skin& skin,
                                             std::string_view name, const ExportChoices& choices,
                                             std::string_view fallback = {});

}  // namespace pictavo
