#include "core/documents/text_line.h"

#include <algorithm>

#include "core/formats/fonts/char_set.h"

namespace pictavo {

expected<CodeImage, Error> DrawTextLine(const Skin& skin, std::u32string_view text) {
  if (text.empty()) return unexpected(Error{"no text given"});
  if (text.size() > MaxTextLineLength) {
    return unexpected(Error{"the text is longer than the 1024 characters a line may have"});
  }
  std::vector<const TSkinIcon*> glyphs;
  std::vector<std::string> missing;
  CodeImage image;
  for (char32_t c : text) {
    const TSkinIcon* found = nullptr;
    if (c <= static_cast<char32_t>(MaxGlyphId)) {
      const auto& icons = skin.Icons();
      const auto it = std::find_if(icons.begin(), icons.end(), [c](const TSkinIcon& icon) {
        return (icon.IconID & 0xFF) == static_cast<int>(c);
      });
      if (it != icons.end() && it->SubIcons >= 1 && it->Data.size() >= it->PixelsPerSubIcon()) {
        found = &*it;
      }
    }
    if (found == nullptr) {
      if (std::find(missing.begin(), missing.end(), CharName(c)) == missing.end()) {
        missing.push_back(CharName(c));
      }
      continue;
    }
    glyphs.push_back(found);
    image.width += found->Width;
    image.height = std::max(image.height, found->Height);
  }
  if (!missing.empty()) {
    std::string names;
    for (const std::string& name : missing) names += (names.empty() ? "" : ", ") + name;
    return unexpected(Error{"the skin has no icon for " + names});
  }
  image.codes.assign(static_cast<std::size_t>(image.width) * image.height,
                     static_cast<std::uint8_t>(PixelCode::Transparent));
  int left = 0;
  for (const TSkinIcon* icon : glyphs) {
    for (int y = 0; y < icon->Height; ++y) {
      for (int x = 0; x < icon->Width; ++x) {
        image.codes[static_cast<std::size_t>(y) * image.width + left + x] =
            icon->Data[icon->DataIndex(0, x, y)];
      }
    }
    left += icon->Width;
  }
  return image;
}

}  // namespace pictavo
