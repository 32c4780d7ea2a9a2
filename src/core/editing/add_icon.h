#pragma once

#include <string_view>

#include "core/model/skin.h"

namespace pictavo {

inline constexpr std::string_view InvalidIconIdText = "Invalid icon ID";
inline constexpr int MinNewIconId = 1;
inline constexpr int MaxNewIconId = 254;

// Reads the Add Icon dialog's ID box: leading blanks, an optional sign, then
// decimal digits or hexadecimal digits after $, 0x, 0X, x or X. Any other
// text, trailing characters included, reads as 0. Long numbers saturate far
// outside the ID range instead of overflowing.
long long ParseIconId(std::string_view text);

enum class AddIconCheck { Accepted, InvalidId, InvalidPacking };

// The message box text of a refusal; empty for Accepted.
std::string_view AddIconCheckText(AddIconCheck check);

// The values of the Add Icon dialog. The dialog lives as long as the program,
// so the values stay from one opening to the next.
class AddIconModel {
 public:
  AddIconModel();

  // The icon being prepared; its Data is left to AddIcon.
  const TSkinIcon& Icon() const { return icon_; }

  // The arrows, each within its limits: Width 1..96, Height 1..92, BPP
  // through 1, 2, 4 and SubIcons from 1 up. They do not test the packing.
  void WidthUp();
  void WidthDown();
  void HeightUp();
  void HeightDown();
  void BppUp();
  void BppDown();
  void SubIconsUp();
  void SubIconsDown();

  // OK: the ID is tested first, then the packing; Accepted sets IconID.
  AddIconCheck Validate(std::string_view id_text);

 private:
  TSkinIcon icon_;
};

}  // namespace pictavo
