#include "core/formats/text_mode.h"

#include <algorithm>

namespace pictavo {

namespace {

constexpr std::uint8_t LineFeed = 0x0A;
constexpr std::uint8_t CarriageReturn = 0x0D;

}  // namespace

std::vector<std::uint8_t> ToStoredForm(std::span<const std::uint8_t> record) {
  std::vector<std::uint8_t> stored;
  stored.reserve(record.size() +
                 static_cast<std::size_t>(std::count(record.begin(), record.end(), LineFeed)));
  for (const std::uint8_t byte : record) {
    if (byte == LineFeed) stored.push_back(CarriageReturn);
    stored.push_back(byte);
  }
  return stored;
}

std::vector<std::uint8_t> FromStoredForm(std::span<const std::uint8_t> stored) {
  std::vector<std::uint8_t> record;
  record.reserve(stored.size());
  for (std::size_t i = 0; i < stored.size(); ++i) {
    // Greedy left to right: in a stored file the 0x0D directly before a 0x0A
    // is always the one the translation added, so an original 0x0D that
    // preceded a 0x0A is followed by the added 0x0D and stays.
    if (stored[i] == CarriageReturn && i + 1 < stored.size() && stored[i + 1] == LineFeed) {
      continue;
    }
    record.push_back(stored[i]);
  }
  return record;
}

}  // namespace pictavo
