#include "core/formats/skin_file.h"

#include <lzo/lzo1x.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "core/model/picture.h"

namespace pictavo {

namespace {

constexpr std::size_t IconHeadSize = 5;
constexpr std::size_t NameFieldOffset = 4;
constexpr std::size_t StreamLengthOffset = 24;
// LZO1X turns one compressed byte into at most 255 or so output bytes, so no
// stream read from SkinReadLimit bytes is longer than this; a head claiming
// more cannot make us reserve more.
constexpr std::size_t MaxReadableStream = 256 * SkinReadLimit;

std::string NameOf(int position, const TSkinIcon& icon) {
  return "icon " + std::to_string(position + 1) + " (" + IconLabel(icon) + ")";
}

void PutLe32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetLe32(const std::uint8_t* at) {
  return std::uint32_t{at[0]} | std::uint32_t{at[1]} << 8 | std::uint32_t{at[2]} << 16 |
         std::uint32_t{at[3]} << 24;
}

// Why an icon cannot go into a skin file and come back the same, if it cannot.
expected<void, Error> CheckStorable(int position, const TSkinIcon& icon) {
  const std::string who = NameOf(position, icon);
  if ((icon.IconID & 0xFF) == SkinStreamEnd) {
    return unexpected(Error{who + " has the ID 0xFF, which a skin file keeps for its end marker"});
  }
  if (!IsStoredDepth(icon.BPP)) {
    return unexpected(Error{who + " has a depth of " + std::to_string(icon.BPP) +
                            " bits per pixel; a skin file holds 1, 2, 4 or 8"});
  }
  if (!IsIconSize(icon.Width, icon.Height)) {
    return unexpected(Error{who + " is " + std::to_string(icon.Width) + " x " +
                            std::to_string(icon.Height) +
                            " pixels; icons are 1 to 96 wide and 1 to 92 high"});
  }
  if (icon.SubIcons < 1 || icon.SubIcons > MaxStoredSubIcons) {
    return unexpected(Error{who + " has " + std::to_string(icon.SubIcons) +
                            " sub-icons; a skin file holds 1 to 255 per icon"});
  }
  if (icon.Data.size() != icon.ExpectedDataSize()) {
    return unexpected(Error{who + " holds " + std::to_string(icon.Data.size()) +
                            " pixels instead of " + std::to_string(icon.ExpectedDataSize())});
  }
  if (std::any_of(icon.Data.begin(), icon.Data.end(),
                  [](std::uint8_t code) { return !IsPixelCode(code); })) {
    return unexpected(Error{who + " holds a pixel code above 4"});
  }
  return {};
}

}  // namespace

std::size_t PackedIconSize(const TSkinIcon& icon) {
  if (icon.SubIcons <= 0 || icon.Width <= 0 || icon.Height <= 0 || icon.BPP <= 0) return 0;
  return icon.ExpectedDataSize() * static_cast<std::size_t>(icon.BPP) / 8;
}

void PackIconPixels(const TSkinIcon& icon, std::vector<std::uint8_t>& out) {
  if (!IsStoredDepth(icon.BPP)) return;
  const int bpp = icon.BPP;
  const int per_byte = 8 / bpp;
  const unsigned mask = (1u << bpp) - 1u;
  const std::size_t bytes = PackedIconSize(icon);
  std::size_t k = 0;
  for (std::size_t j = 0; j < bytes; ++j) {
    unsigned packed = 0;
    for (int b = 0; b < per_byte; ++b, ++k) {
      const unsigned code = k < icon.Data.size() ? icon.Data[k] : 0u;
      packed |= (code & mask) << (bpp * b);
    }
    out.push_back(static_cast<std::uint8_t>(packed));
  }
}

expected<std::vector<std::uint8_t>, Error> UnpackIconPixels(std::span<const std::uint8_t> packed,
                                                            int bpp, std::size_t entries) {
  if (!IsStoredDepth(bpp)) {
    return unexpected(Error{"a depth of " + std::to_string(bpp) + " bits per pixel"});
  }
  std::vector<std::uint8_t> data(entries, 0);
  const int per_byte = 8 / bpp;
  const unsigned mask = (1u << bpp) - 1u;
  std::size_t k = 0;
  for (std::size_t j = 0; j < packed.size() && k < entries; ++j) {
    for (int b = 0; b < per_byte && k < entries; ++b, ++k) {
      unsigned value = (unsigned{packed[j]} >> (bpp * b)) & mask;
      if (bpp == 1 && value == 1) value = ToInt(PixelCode::White);
      if (!IsPixelCode(static_cast<int>(value))) {
        return unexpected(Error{"a pixel code of " + std::to_string(value) + " at pixel " +
                                std::to_string(k) + "; codes go up to 4"});
      }
      data[k] = static_cast<std::uint8_t>(value);
    }
  }
  return data;
}

expected<std::vector<std::uint8_t>, Error> BuildSkinStream(const Skin& skin) {
  std::size_t length = 1;  // the end marker
  for (int i = 0; i < skin.Count(); ++i) {
    const TSkinIcon& icon = skin.At(i);
    if (auto storable = CheckStorable(i, icon); !storable) {
      return unexpected(storable.error());
    }
    length += IconHeadSize + PackedIconSize(icon);
  }
  if (length > SkinStreamCapacity) {
    return unexpected(Error{"the skin is too large to save: its icon stream takes " +
                            std::to_string(length) + " bytes, " +
                            std::to_string(length - SkinStreamCapacity) +
                            " bytes more than the 34442 a skin file can hold"});
  }
  std::vector<std::uint8_t> stream;
  stream.reserve(length);
  for (const TSkinIcon& icon : skin.Icons()) {
    stream.push_back(static_cast<std::uint8_t>(icon.IconID));
    stream.push_back(static_cast<std::uint8_t>(icon.SubIcons));
    stream.push_back(static_cast<std::uint8_t>(icon.BPP));
    stream.push_back(static_cast<std::uint8_t>(icon.Width));
    stream.push_back(static_cast<std::uint8_t>(icon.Height));
    PackIconPixels(icon, stream);
  }
  stream.push_back(SkinStreamEnd);
  return stream;
}

expected<std::vector<std::uint8_t>, Error> WriteSkinFile(const Skin& skin, std::string_view name) {
  auto stream = BuildSkinStream(skin);
  if (!stream) return unexpected(stream.error());
  if (lzo_init() != LZO_E_OK) {
    return unexpected(Error{"the LZO compression library could not be initialised"});
  }
  const std::size_t length = stream->size();
  // LZO1X's documented worst case for incompressible input.
  const std::size_t bound = length + length / 16 + 64 + 3;
  std::vector<std::uint8_t> file(SkinHeaderSize + bound, 0);
  std::vector<lzo_align_t> work((LZO1X_999_MEM_COMPRESS + sizeof(lzo_align_t) - 1) /
                                sizeof(lzo_align_t));
  lzo_uint compressed = bound;
  const int result = lzo1x_999_compress(stream->data(), length, file.data() + SkinHeaderSize,
                                        &compressed, work.data());
  if (result != LZO_E_OK || compressed > bound) {
    return unexpected(
        Error{"LZO compression of the icon stream failed (code " + std::to_string(result) + ")"});
  }
  file.resize(SkinHeaderSize + compressed);

  std::memcpy(file.data(), SkinFileMagic.data(), SkinFileMagic.size());
  const std::size_t name_bytes = std::min(name.size(), SkinNameFieldSize);
  std::memcpy(file.data() + NameFieldOffset, name.data(), name_bytes);
  PutLe32(file.data() + 20, 0);
  PutLe32(file.data() + StreamLengthOffset, static_cast<std::uint32_t>(length));
  PutLe32(file.data() + 28, 0);
  return file;
}

std::string SkinNameField(std::span<const std::uint8_t> file) {
  if (file.size() <= NameFieldOffset) return {};
  const auto field =
      file.subspan(NameFieldOffset, std::min(SkinNameFieldSize, file.size() - NameFieldOffset));
  const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
  return std::string(field.begin(), end);
}

expected<Skin, Error> ParseSkinStream(std::span<const std::uint8_t> stream) {
  Skin skin;
  std::size_t pos = 0;
  for (int count = 0;; ++count) {
    if (pos >= stream.size()) {
      return unexpected(Error{"the icon stream ends without its end marker after " +
                              std::to_string(count) + " icons"});
    }
    if (stream[pos] == SkinStreamEnd) break;
    if (stream.size() - pos < IconHeadSize) {
      return unexpected(
          Error{"the icon stream ends inside the head of icon " + std::to_string(count + 1)});
    }
    TSkinIcon icon;
    icon.IconID = stream[pos];
    icon.SubIcons = stream[pos + 1];
    icon.BPP = stream[pos + 2];
    icon.Width = stream[pos + 3];
    icon.Height = stream[pos + 4];
    const std::string who = NameOf(count, icon);
    if (!IsStoredDepth(icon.BPP)) {
      return unexpected(Error{who + " has a depth of " + std::to_string(icon.BPP) +
                              " bits per pixel; only 1, 2, 4 and 8 exist"});
    }
    if (!IsIconSize(icon.Width, icon.Height)) {
      return unexpected(Error{who + " is " + std::to_string(icon.Width) + " x " +
                              std::to_string(icon.Height) +
                              " pixels; icons are 1 to 96 wide and 1 to 92 high"});
    }
    if (icon.SubIcons < 1) return unexpected(Error{who + " has no sub-icon"});
    const std::size_t packed_size = PackedIconSize(icon);
    const std::size_t remaining = stream.size() - pos - IconHeadSize;
    if (remaining < packed_size) {
      return unexpected(Error{"the icon stream ends inside the pixels of " + who + ": " +
                              std::to_string(packed_size) + " bytes needed, " +
                              std::to_string(remaining) + " left"});
    }
    auto data = UnpackIconPixels(stream.subspan(pos + IconHeadSize, packed_size), icon.BPP,
                                 icon.ExpectedDataSize());
    if (!data) return unexpected(Error{who + " holds " + data.error().message});
    icon.Data = std::move(*data);
    skin.Append(std::move(icon));
    pos += IconHeadSize + packed_size;
  }
  return skin;
}

SkinFileRead ReadSkinFile(std::span<const std::uint8_t> file) {
  const bool cut = file.size() > SkinReadLimit;
  file = file.first(std::min(file.size(), SkinReadLimit));
  SkinFileRead read{SkinNameField(file), unexpected(Error{})};
  if (file.size() < SkinHeaderSize) {
    read.skin = unexpected(Error{"the file holds " + std::to_string(file.size()) +
                                 " bytes, too few for the 32-byte head of a skin"});
    return read;
  }
  const std::uint32_t length = GetLe32(file.data() + StreamLengthOffset);
  const auto compressed = file.subspan(SkinHeaderSize);
  if (length == 0) {
    read.skin = unexpected(Error{"the head gives an icon stream of 0 bytes"});
    return read;
  }
  if (compressed.empty()) {
    read.skin = unexpected(Error{"no compressed icon stream follows the head"});
    return read;
  }
  if (lzo_init() != LZO_E_OK) {
    read.skin = unexpected(Error{"the LZO compression library could not be initialised"});
    return read;
  }
  const std::size_t capacity = std::min<std::size_t>(length, MaxReadableStream);
  const auto stream = std::make_unique_for_overwrite<std::uint8_t[]>(capacity);
  lzo_uint produced = capacity;
  const int result =
      lzo1x_decompress_safe(compressed.data(), compressed.size(), stream.get(), &produced, nullptr);
  switch (result) {
    case LZO_E_OK:
      read.skin = ParseSkinStream(std::span<const std::uint8_t>(stream.get(), produced));
      break;
    case LZO_E_INPUT_NOT_CONSUMED:
      read.skin = unexpected(Error{"bytes follow the end of the compressed icon stream"});
      break;
    case LZO_E_INPUT_OVERRUN:
      read.skin = unexpected(
          Error{cut ? "the compressed icon stream does not end within the first 65536 bytes"
                    : "the compressed icon stream is cut off before its end"});
      break;
    case LZO_E_OUTPUT_OVERRUN:
      read.skin = unexpected(Error{"the icon stream is longer than the " + std::to_string(length) +
                                   " bytes the head gives"});
      break;
    default:
      read.skin = unexpected(
          Error{"the compressed icon stream is damaged (LZO code " + std::to_string(result) + ")"});
      break;
  }
  return read;
}

std::vector<std::string> IconLabels(const Skin& skin) {
  std::vector<std::string> labels;
  labels.reserve(static_cast<std::size_t>(skin.Count()));
  for (const TSkinIcon& icon : skin.Icons()) labels.push_back(IconLabel(icon));
  return labels;
}

}  // namespace pictavo
