#include "core/editing/add_icon.h"

#include <cstdint>
#include <limits>

#include "core/model/picture.h"

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

long long ParseIconId(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == text.size()) return 0;  // no digit at all
  long long value = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) return 0;
    if (value < SaturatedId) value = value * base + digit;
  }
  return negative ? -value : value;
}

std::string_view AddIconCheckText(AddIconCheck check) {
  switch (check) {
    case AddIconCheck::InvalidId:
      return InvalidIconIdText;
    case AddIconCheck::InvalidPacking:
      return PackingRuleText;
    case AddIconCheck::Accepted:
      break;
  }
  return {};
}

AddIconModel::AddIconModel() {
  icon_.Width = 4;
  icon_.Height = 4;
  icon_.BPP = 4;
  icon_.SubIcons = 1;
}

void AddIconModel::WidthUp() {
  if (icon_.Width < MaxIconWidth) ++icon_.Width;
}

void AddIconModel::WidthDown() {
  if (icon_.Width > 1) --icon_.Width;
}

void AddIconModel::HeightUp() {
  if (icon_.Height < MaxIconHeight) ++icon_.Height;
}

void AddIconModel::HeightDown() {
  if (icon_.Height > 1) --icon_.Height;
}

void AddIconModel::BppUp() {
  if (icon_.BPP < 4) ++icon_.BPP;
  if (icon_.BPP == 3) icon_.BPP = 4;
}

void AddIconModel::BppDown() {
  if (icon_.BPP > 1) --icon_.BPP;
  if (icon_.BPP == 3) icon_.BPP = 2;
}

void AddIconModel::SubIconsUp() {
  if (icon_.SubIcons < std::numeric_limits<std::int32_t>::max()) ++icon_.SubIcons;
}

void AddIconModel::SubIconsDown() {
  if (icon_.SubIcons > 1) --icon_.SubIcons;
}

AddIconCheck AddIconModel::Validate(std::string_view id_text) {
  const long long id = ParseIconId(id_text);
  if (id < MinNewIconId || id > MaxNewIconId) return AddIconCheck::InvalidId;
  if (!PacksIntoBytes(icon_.Width, icon_.Height, icon_.BPP)) return AddIconCheck::InvalidPacking;
  icon_.IconID = static_cast<std::int32_t>(id);
  return AddIconCheck::Accepted;
}

}  // namespace pictavo
