#include "core/editing/add_icon.h"

#include <cstdint>
#include <limits>

#include "core/formats/icon_id.h"
#include "core/model/picture.h"

namespace pictavo {

long long ParseIconId(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Beyond the commands' 0x, the box also takes $, x or X before hexadecimal
  // digits; any other text reads as 0, which no icon may take.
  const std::string_view rest = text.substr(i);
  const bool introduced = !rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X');
  const long long value =
      (introduced ? ReadIconIdDigits(rest.substr(1), 16) : ReadIconIdNumber(rest)).value_or(0);
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
