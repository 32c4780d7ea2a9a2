#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/model/pixel_code.h"

namespace pictavo {

// The shape rules every icon keeps, however it is made or read.
inline constexpr int MinIconWidth = 1;
inline constexpr int MaxIconWidth = 96;
inline constexpr int MinIconHeight = 1;
inline constexpr int MaxIconHeight = 92;

constexpr bool IsIconSize(long long width, long long height) {
  return width >= MinIconWidth && width <= MaxIconWidth && height >= MinIconHeight &&
         height <= MaxIconHeight;
}

// The depths a skin file can hold.
constexpr bool IsStoredDepth(long long bpp) { return bpp == 1 || bpp == 2 || bpp == 4 || bpp == 8; }

// Width * Height * BPP fills whole bytes, so every sub-icon starts on a byte.
constexpr bool PacksIntoBytes(long long width, long long height, long long bpp) {
  return (width * height * bpp) % 8 == 0;
}
// What the windows say when an icon would break that rule.
inline constexpr std::string_view PackingRuleText = "Width * Height * BPP must divide by 8.";

// The code a pixel comes back as after a skin file has stored it at this
// depth: each code keeps its low BPP bits, and a 1 at 1 bpp reads back as
// White. So at 1 bpp Gray66 becomes White and Gray33 and Transparent become
// Black; at 2 bpp Transparent becomes Black; at 4 and 8 bpp nothing changes.
constexpr std::uint8_t StoredCode(std::uint8_t code, int bpp) {
  if (bpp <= 0 || bpp >= 8) return code;
  const unsigned kept = code & ((1u << bpp) - 1u);
  return static_cast<std::uint8_t>(bpp == 1 && kept == 1 ? ToInt(PixelCode::White) : kept);
}

// One icon of a skin: one or more sub-icons (frames) of one size and depth.
// Data holds one PixelCode per pixel of every sub-icon: entry
// Width * Height * s + Width * y + x for sub-icon s, column x, row y (0-based).
struct TSkinIcon {
  std::int32_t IconID = 0;
  std::int32_t SubIcons = 1;
  std::int32_t BPP = 4;
  std::int32_t Width = 4;
  std::int32_t Height = 4;
  std::vector<std::uint8_t> Data;

  std::size_t PixelsPerSubIcon() const {
    return static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height);
  }
  std::size_t DataIndex(int sub_icon, int x, int y) const {
    return PixelsPerSubIcon() * static_cast<std::size_t>(sub_icon) +
           static_cast<std::size_t>(Width) * static_cast<std::size_t>(y) +
           static_cast<std::size_t>(x);
  }
  // Width * Height * SubIcons entries: the size Data must always have.
  std::size_t ExpectedDataSize() const {
    return PixelsPerSubIcon() * static_cast<std::size_t>(SubIcons);
  }

  friend bool operator==(const TSkinIcon&, const TSkinIcon&) = default;
};

// The ordered icon collection; icons are owned by value, never sorted, and IDs
// need not be unique.
class Skin {
 public:
  void Clear() { icons_.clear(); }
  void Append(TSkinIcon icon) { icons_.push_back(std::move(icon)); }
  // Inserts before position; position == Count() appends.
  void Insert(int position, TSkinIcon icon);
  void Remove(int position);

  int Count() const { return static_cast<int>(icons_.size()); }
  bool Contains(int position) const { return position >= 0 && position < Count(); }
  TSkinIcon& At(int position) { return icons_.at(static_cast<std::size_t>(position)); }
  const TSkinIcon& At(int position) const { return icons_.at(static_cast<std::size_t>(position)); }
  const std::vector<TSkinIcon>& Icons() const { return icons_; }

  friend bool operator==(const Skin&, const Skin&) = default;

 private:
  std::vector<TSkinIcon> icons_;
};

// "0x%02X" of the low 8 bits of the ID: the text that lists an icon.
std::string IconLabel(const TSkinIcon& icon);

// Gives every entry of the icon the code its depth stores (StoredCode).
// True when an entry changed.
bool FitToStoredCodes(TSkinIcon& icon);

// Changes the size of every sub-icon, keeping each one's top-left part; new
// columns and rows are Black.
void ResizeIcon(TSkinIcon& icon, int new_width, int new_height);

}  // namespace pictavo
