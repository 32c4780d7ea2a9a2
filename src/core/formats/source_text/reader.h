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
  ValueList,  // values alone, as another tool's "plain bytes": read with the size given
};

struct TextSize {
  int width = 0;
  int height = 0;
};

// What the caller knows of how a text is packed. Each one given decides over
// what the text says; unset, the text's own words decide, then which reading
// its bytes fit. The code arrays and X bitmaps have one packing and take none
// of the packing's parts (order, layout, depth, align, invert).
struct ReadTextOptions {
  std::optional<BitOrder> bit_order{};
  // Pages apply to 1-bit bytes only.
  std::optional<ByteLayout> layout{};
  // 1, 2, 4 or 8.
  std::optional<int> depth{};
  // Whether every row starts a new byte (not for pages).
  std::optional<bool> align{};
  // The picture's size, for an array that gives none, as other tools'
  // arrays do; a text that gives its own size must give this one.
  std::optional<TextSize> size{};
  // At 1 bit per pixel, a bit 1 is a drawn pixel (Black), as display
  // libraries draw them, not a White one.
  bool invert = false;
  // Values before the pixels (a palette, a header) left out.
  std::size_t skip = 0;
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
// GNU as sources and X bitmaps (X10's 16-bit words too), and the arrays other
// tools write or their values alone, which give no size: they read once the
// options give it, and are refused saying so until then. Comments, blank space,
// hex, decimal, binary or Arduino B01010101 values, attributes such as
// PROGMEM, an opening brace on a line of its own and any line ends are
// accepted. A text that is none of these, or holds a size beyond 96 x 92 or
// a number past its field's range, is refused with its line and what was
// expected there, the number as written.
// How the bytes are packed is decided part by part, each from the first that
// tells: the options; the first line of a C header or GNU as source in the
// words the program writes it ("2 bits per pixel, rows start a new byte,
// first pixel in the highest bits"); a _BPP define, a listing's own header
// or a depth any comment names ("4bpp"); then the reading the bytes fit (their
// count, spare bits left 0, a trailing 1-bit array that agrees), trying the
// highest depth, rows before pages, the lowest bits and rows not aligned
// first, or first the order and layout another tool's comment names ("msb",
// "pages").
expected<SourceTextPicture, Error> ReadSourceText(std::string_view text,
                                                  const ReadTextOptions& options = {});

// Whether the text is an array that reads once its size is given: one that
// gives none (no #define lines of its width and height), when the options
// give none either.
bool TextWantsSize(std::string_view text, const ReadTextOptions& options = {});

// Whether the bytes could be a text at all: no NUL and no control characters
// but tabs, line ends and form feeds.
bool LooksLikeText(std::span<const std::uint8_t> bytes);

}  // namespace pictavo
