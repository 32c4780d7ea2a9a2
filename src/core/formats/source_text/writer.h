#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/packing_order.h"
#include "core/formats/source_text/symbol.h"
#include "core/model/picture.h"

namespace pictavo {

// Texts made for compilers, beside the clipboard listings: a C header, a GNU
// as source and an X bitmap.
enum class SourceFormat { C, Gas, Xbm };

struct SourceTextOptions {
  SourceFormat Format = SourceFormat::C;
  int Bpp = 1;  // 1, 2, 4 or 8; the X bitmap is always 1
  bool Align = false;
  BitOrder Order = BitOrder::Lsb;
  ByteLayout Layout = ByteLayout::Rows;
  std::string Symbol;  // a C identifier, see SourceSymbol
};

// The data bytes of the text, without the size: the listing's packing of that
// depth (8 bpp: one code per byte), then reordered for the bit order and
// layout. The X bitmap's bytes are its own (aligned, 1 = black).
std::vector<std::uint8_t> SourceTextBytes(CodeGridView source, const SourceTextOptions& options);

// The whole text, with LF line ends.
std::string WriteSourceText(CodeGridView source, const SourceTextOptions& options);

// Where one bit of the first data byte comes from: bit `value_bit` of the
// value of pixel (x, y), counted from 0 at the top-left; `used` is false for
// a bit no pixel fills (always 0).
struct BitSource {
  bool used = false;
  int x = 0;
  int y = 0;
  int value_bit = 0;
  friend bool operator==(const BitSource&, const BitSource&) = default;
};

// The first data byte's bits 0 to 7 under `options`. The X bitmap's bits are
// the inverted 1-bit values of the pixels they name.
std::array<BitSource, 8> FirstByteBits(CodeGridView source, const SourceTextOptions& options);

}  // namespace pictavo
