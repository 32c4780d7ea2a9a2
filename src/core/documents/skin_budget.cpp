#include "core/documents/skin_budget.h"

#include "core/formats/skin_file.h"

namespace pictavo {

namespace {

constexpr std::size_t IconHeadBytes = 5;

}  // namespace

SkinBudget BudgetOf(const Skin& skin, int current_icon) {
  SkinBudget budget;
  budget.capacity = SkinStreamCapacity;
  for (const TSkinIcon& icon : skin.Icons())
    budget.stream_bytes += IconHeadBytes + PackedIconSize(icon);
  if (skin.Contains(current_icon)) budget.icon_bytes = PackedIconSize(skin.At(current_icon));
  return budget;
}

std::string GroupedDigits(std::size_t value) {
  std::string digits = std::to_string(value);
  for (auto i = static_cast<std::ptrdiff_t>(digits.size()) - 3; i > 0; i -= 3) {
    digits.insert(static_cast<std::size_t>(i), 1, ',');
  }
  return digits;
}

std::string BudgetText(const SkinBudget& budget, bool has_icon) {
  std::string text;
  if (has_icon) text = "Icon " + GroupedDigits(budget.icon_bytes) + " bytes\n";
  return text + "Stream " + GroupedDigits(budget.stream_bytes) + " / " +
         GroupedDigits(budget.capacity) + " bytes";
}

}  // namespace pictavo
