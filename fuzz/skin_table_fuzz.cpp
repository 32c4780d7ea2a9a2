// Feeds arbitrary text to the skin table reader. Whatever it accepts holds
// icons a skin can hold, and a table written from it reads back to the same
// skin and name.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/formats/source_text/skin_table.h"
#include "skin_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pictavo;
  using fuzz::Require;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto read = ReadSkinTable(text);
  if (!read) return 0;
  fuzz::CheckSkin(read->skin);
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
