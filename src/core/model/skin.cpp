#include "core/model/skin.h"

#include <cstdio>
#include <utility>

namespace pictavo {

void Skin::Insert(int position, TSkinIcon icon) {
  if (position < 0 || position > Count()) position = Count();
  icons_.insert(icons_.begin() + position, std::move(icon));
}

void Skin::Remove(int position) {
  if (!Contains(position)) return;
  icons_.erase(icons_.begin() + position);
}

std::string IconLabel(const TSkinIcon& icon) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(icon.IconID) & 0xFFu);
  return text;
}

bool FitToStoredCodes(TSkinIcon& icon) {
  bool changed = false;
  for (std::uint8_t& code : icon.Data) {
    const std::uint8_t stored = StoredCode(code, icon.BPP);
    changed = changed || stored != code;
    code = stored;
  }
  return changed;
}

void ResizeIcon(TSkinIcon& icon, int new_width, int new_height) {
  const std::vector<std::uint8_t> old_data = std::move(icon.Data);
  const int old_width = icon.Width;
  const int old_height = icon.Height;
  icon.Width = new_width;
  icon.Height = new_height;
  icon.Data.assign(icon.ExpectedDataSize(), 0);
  const std::size_t old_per_sub = static_cast<std::size_t>(old_width) * old_height;
  for (int s = 0; s < icon.SubIcons; ++s) {
    for (int y = 0; y < new_height && y < old_height; ++y) {
      for (int x = 0; x < new_width && x < old_width; ++x) {
        const std::size_t from = old_per_sub * s + static_cast<std::size_t>(old_width) * y + x;
        if (from < old_data.size()) icon.Data[icon.DataIndex(s, x, y)] = old_data[from];
      }
    }
  }
}

}  // namespace pictavo
