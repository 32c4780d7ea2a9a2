#include "core/formats/icon_id.h"

#include "core/formats/skin_file.h"

namespace pictavo {

namespace {

// Far above any ID, far below overflow: longer numbers stop growing here.
constexpr long long SaturatedId = 1LL << 40;

int DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') {
    value = c - '0';
  } else if (c >= 'a' && c <= 'f') {
    value = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'F') {
    value = c - 'A' + 10;
  }
  return value < base ? value : -1;
}

}  // namespace

std::optional<long long> ReadIconIdDigits(std::string_view digits, int base) {
  if (digits.empty()) return std::nullopt;
  long long value = 0;
  for (const char c : digits) {
    const int digit = DigitValue(c, base);
    if (digit < 0) return std::nullopt;
    if (value < SaturatedId) value = value * base + digit;
  }
  return value;
}

std::optional<long long> ReadIconIdNumber(std::string_view text) {
  if (text.starts_with("0x") || text.starts_with("0X")) return ReadIconIdDigits(text.substr(2), 16);
  return ReadIconIdDigits(text, 10);
}

std::optional<int> ParseStreamIconId(std::string_view text) {
  const std::optional<long long> value = ReadIconIdNumber(text);
  if (!value || *value >= SkinStreamEnd) return std::nullopt;
  return static_cast<int>(*value);
}

}  // namespace pictavo
