// Feeds arbitrary text to the skin table reader. Whatever it accepts holds
// icons a skin can hold, and a table written from it reads back to the same
// skin and name.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "core/formats/source_text/skin_table.h"
#include "core/model/picture.h"

namespace {

using namespace pictavo;

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "skin table invariant broken: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto read = ReadSkinTable(text);
  if (!read) return 0;
  for (const TSkinIcon& icon : read->skin.Icons()) {
    Require(icon.Width >= 1 && icon.Width <= MaxPictureWidth, "width in 1..96");
    Require(icon.Height >= 1 && icon.Height <= MaxPictureHeight, "height in 1..92");
    Require(icon.SubIcons >= 1, "at least one frame");
    Require(icon.BPP == 1 || icon.BPP == 2 || icon.BPP == 4 || icon.BPP == 8, "known depth");
    Require(icon.Data.size() == icon.ExpectedDataSize(), "Width x Height x frames codes");
    for (const std::uint8_t code : icon.Data) Require(IsPixelCode(code), "codes 0..4");
  }
  // Written again as each icon's own depth keeps it, the table reads back.
  for (const SourceFormat format : {SourceFormat::C, SourceFormat::Gas}) {
    const auto again = WriteSkinTable(read->skin, read->name, {.Format = format});
    if (!again) continue;
    const auto back = ReadSkinTable(*again);
    Require(back.has_value(), "a written table reads back");
    Require(back->skin == read->skin, "the skin survives a write and a read");
    Require(back->name == read->name, "the name survives a write and a read");
  }
  return 0;
}
