#pragma once

namespace pictavo {

// Where the first pixel of a byte goes: the lowest bits, as the listings pack
// it, or the highest.
enum class BitOrder { Lsb, Msb };

// Rows: the listings' order, row after row. Pages (1 bpp only): each byte is
// one column of 8 rows, as monochrome display controllers take it.
enum class ByteLayout { Rows, Pages };

}  // namespace pictavo
