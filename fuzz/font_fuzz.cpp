// Feeds arbitrary bytes to the font reader and the glyph import. Whatever
// it accepts must give icons a skin can hold and a skin file keeps; nothing
// may take more than FreeType's memory budget.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/documents/font_import.h"
#include "core/formats/skin_file.h"

namespace {

using namespace pictavo;

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "glyph skin invariant broken: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto face = FontFace::Open(std::vector<std::uint8_t>(data, data + size));
  if (!face) return 0;
  // The options come from the last byte, so one input tries both depths,
  // the hintings and a fixed cell.
  const std::uint8_t choice = size > 0 ? data[size - 1] : 0;
  FontImportOptions options;
  options.size = face->Info().scalable ? 4 + choice % 40 : 0;
  options.depth = 1 + (choice >> 6) % 2;
  options.transparent = options.depth == 2 && (choice & 0x20) != 0;
  options.hinting = static_cast<FontHinting>((choice >> 3) % 4);
  if (choice & 0x80) options.width = 1 + choice % 20;
  const auto imported = ImportFont(*face, options);
  if (!imported) return 0;
  for (const TSkinIcon& icon : imported->skin.Icons()) {
    Require(IsIconSize(icon.Width, icon.Height), "an icon's size");
    Require(PacksIntoBytes(icon.Width, icon.Height, icon.BPP), "whole bytes");
    Require(icon.Data.size() == icon.ExpectedDataSize(), "Width x Height entries");
    Require(icon.IconID >= 0 && icon.IconID <= 254, "an ID below the end marker");
  }
  auto file = WriteSkinFile(imported->skin, "fuzz");
  Require(file.has_value(), "the skin fits a file");
  Require(*ReadSkinFile(*file).skin == imported->skin, "the skin survives a save");
  return 0;
}
