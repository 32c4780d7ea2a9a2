#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/error.h"
#include "core/model/expected.h"

namespace pictavo::cli {

// The plain-text list that "skin extract" writes and "skin pack" reads:
//
//   name <the skin's name, Latin-1, up to 16 bytes>
//   icon <ID as 0x%02X or decimal> <BPP>
//   sub-icon <picture file, relative to the manifest>
//   ...
//
// one "icon" line per icon in skin order, each followed by its sub-icons in
// order. Blank lines and lines starting with # are ignored. A name holding a
// control character (a line feed, a carriage return) is written as
//
//   escaped-name <the name with \\, \n, \r, \t and \xHH for such bytes>
//
// so that plain "name" lines read as they always have. A NUL byte anywhere
// is refused, and so is a manifest larger than MaxManifestBytes.
inline constexpr std::size_t MaxManifestBytes = std::size_t{4} << 20;
struct ManifestIcon {
  int id = 0;
  int bpp = 0;
  std::vector<std::string> sub_icons;  // picture file paths as written
  int line = 0;                        // of the "icon" line, for messages
};

struct SkinManifest {
  std::string name;
  std::vector<ManifestIcon> icons;
};

// Reads a manifest; the error names the line and what is wrong with it.
expected<SkinManifest, Error> ParseSkinManifest(std::string_view text);
std::string WriteSkinManifest(const SkinManifest& manifest);

}  // namespace pictavo::cli
