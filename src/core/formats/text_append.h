#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pictavo {

// "0x%02X" of a byte, as every text the program writes spells a byte.
inline void AppendHex(std::string& out, std::uint8_t value) {
  constexpr std::string_view HexDigits = "0123456789ABCDEF";
  out += "0x";
  out += HexDigits[value >> 4];
  out += HexDigits[value & 0x0F];
}

}  // namespace pictavo
