#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/formats/unpack_pixels.h"

namespace pictavo {

// The sentence a C header and a GNU as source open with, saying how their
// bytes are packed: "icon: 3 x 2 pixels, 2 bits per pixel, rows follow each
// other, first pixel in the lowest bits". The writer says it and the reader
// reads it through this one definition, so the two cannot drift apart.
std::string HeaderComment(std::string_view symbol, int width, int height,
                          const PackingShape& shape);

// How the bytes are arranged, in the words of that sentence: "rows follow
// each other, first pixel in the lowest bits", "pages of 8 rows, top row in
// bit 7". The skin tables say it in the same words.
std::string PackingWords(const PackingShape& shape);

// The packing a comment states in exactly those words for a width x height
// picture, or nothing. The symbol before ": " is not compared: an array
// renamed by hand keeps its packing.
std::optional<PackingShape> StatedPacking(std::string_view comment, int width, int height);

}  // namespace pictavo
