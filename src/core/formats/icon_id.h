#pragma once

#include <optional>
#include <string_view>

namespace pictavo {

// The number an icon ID is written as: decimal digits ("10") or hexadecimal
// digits after 0x or 0X ("0x0A"), and nothing else: no blank, no sign.
// nullopt for any other text, an empty one included. Numbers too long for any
// ID stop growing far above the range instead of overflowing.
std::optional<long long> ReadIconIdNumber(std::string_view text);

// The same for bare digits of one base (10 or 16), for a reader that takes
// its own introducers.
std::optional<long long> ReadIconIdDigits(std::string_view digits, int base);

// An icon ID as every command takes it: ReadIconIdNumber's forms, 0 to 254,
// since 255 ends a skin's icon stream.
std::optional<int> ParseStreamIconId(std::string_view text);

}  // namespace pictavo
