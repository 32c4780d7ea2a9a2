#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/picture_file.h"
#include "core/formats/unpack_pixels.h"
#include "core/model/error.h"
#include "core/model/expected.h"

namespace pictavo {

// Which text a picture was read back from.
enum class SourceTextKind {
  Listing,    // ".byte" lines after a label: asm1..asm8, the asm 8bpp file, GNU as
  CppArray,   // name[W][H]={ {codes} ... }: the C++ listing
  MonoArray,  // name[W][H]={ {bytes} ...: the 1-bit C++ array alone
  CHeader,    // #define NAME_WIDTH/HEIGHT/BPP and name[] = { bytes };
  XBitmap,    // #define name_width/height and name_bits[] = { bytes };
};

// What the caller knows that the text may not say. Unset: found from the text
// (its comments, then which reading its bytes fit), the lowest bits first and
// rows where nothing tells.
struct ReadTextOptions {
  std::optional<BitOrder> bit_order;
  std::optional<ByteLayout> layout;
  // 1, 2, 4 or 8 for a GNU as source without a comment that says it.
  std::optional<int> depth;
};

struct SourceTextPicture {
  // The picture as its depth holds it; the name is the label or symbol, cut
  // to the name box's 16 characters.
  PictureRecord picture;
  SourceTextKind kind = SourceTextKind::Listing;
  PackingShape shape;
  // Sentences to pass on to the user (a name that was cut).
  std::vector<std::string> notes;
};

// The program's source texts are a few tens of kilobytes; this leaves room for
// comments a generator adds without reading a huge file as text.
inline constexpr std::size_t SourceTextReadLimit = std::size_t{1} << 20;

// Reads a picture back from any text the program writes: the clipboard texts
// with or without their trailing 1-bit array, the asm 8bpp file, C headers,
// GNU as sources and X bitmaps. Comments, blank space, hex or decimal values
// and any line ends are accepted. A text that is none of these, or holds a
// size beyond 96 x 92, is refused with its line and what was expected there.
// Where two packings fit the bytes equally well, rows come before pages, not
// aligned before aligned, the lowest bits before the highest; a trailing 1-bit
// array decides between them when there is one.
expected<SourceTextPicture, Error> ReadSourceText(std::string_view text,
                                                  const ReadTextOptions& options = {});

// Whether the bytes could be a text at all: no NUL and no control characters
// but tabs, line ends and form feeds.
bool LooksLikeText(std::span<const std::uint8_t> bytes);

// "an assembler listing at 2 bits per pixel", "an X bitmap".
std::string DescribeSourceText(SourceTextKind kind, const PackingShape& shape);

}  // namespace pictavo
