#include "core/documents/history_look.h"

#include <span>
#include <utility>

#include "core/formats/picture_file.h"
#include "core/formats/skin_file.h"

namespace pictavo {

HistoryLook LookOf(const HistoryStore& store, const HistoryEntry& entry) {
  const auto bytes = store.Read(entry);
  if (!bytes) return {std::nullopt, "unreadable"};
  const std::span<const std::uint8_t> data(*bytes);
  if (entry.kind == DocumentKind::Picture) {
    const auto record = ReadPictureFile(data);
    if (!record) return {std::nullopt, "damaged"};
    TSkinIcon icon;
    icon.SubIcons = 1;
    icon.BPP = 8;
    icon.Width = record->width;
    icon.Height = record->height;
    for (const PixelCode code : record->codes) icon.Data.push_back(static_cast<std::uint8_t>(code));
    return {std::move(icon),
            std::to_string(record->width) + " x " + std::to_string(record->height)};
  }
  const SkinFileRead read = ReadSkinFile(data);
  if (!read.skin) return {std::nullopt, "damaged"};
  HistoryLook look;
  if (read.skin->Count() > 0) look.icon = read.skin->At(0);
  look.size = read.skin->Count() == 1 ? "1 icon" : std::to_string(read.skin->Count()) + " icons";
  return look;
}

}  // namespace pictavo
