#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/model/error.h"
#include "core/model/expected.h"
#include "core/model/skin.h"

namespace pictavo {

// A block of pixel codes, row-major.
struct CodeImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> codes;

  std::uint8_t At(int x, int y) const {
    return codes[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                 static_cast<std::size_t>(x)];
  }
};

// Texts longer than this are not drawn.
inline constexpr std::size_t MaxTextLineLength = 1024;

// A line of text as firmware draws it with a glyph skin: for each character
// the first sub-icon of the first icon whose ID is its code, side by side,
// each advancing by its icon's width, tops aligned; a lower icon leaves
// Transparent below it. Refuses a character with no such icon, and one whose
// code is no icon ID (past 254).
expected<CodeImage, Error> DrawTextLine(const Skin& skin, std::u32string_view text);

}  // namespace pictavo
