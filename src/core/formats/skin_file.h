#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/error.h"
#include "core/model/expected.h"
#include "core/model/skin.h"

namespace pictavo {

// The uncompressed icon stream of a saved skin, end marker included, is at
// most this many bytes.
inline constexpr std::size_t SkinStreamCapacity = 34442;
inline constexpr std::size_t SkinHeaderSize = 32;
inline constexpr std::size_t SkinNameFieldSize = 16;
// Open Skin looks at no more of a file than this.
inline constexpr std::size_t SkinReadLimit = 65536;
// Stands where an icon ID would, so no icon may carry ID 255.
inline constexpr std::uint8_t SkinStreamEnd = 0xFF;
// Largest sub-icon count the one-byte field of the stream can hold.
inline constexpr int MaxStoredSubIcons = 255;

// Texts of the window's message boxes.
inline constexpr std::string_view CompressionErrorText = "Compression Error!";
inline constexpr std::string_view CompressionErrorTitle = "Skin Saving Error!";
inline constexpr std::string_view DecompressionErrorText = "Decompression Error!";
inline constexpr std::string_view DecompressionErrorTitle = "Skin Loading Error!";

// Bytes that an icon's pixels take in the stream: SubIcons x Width x Height
// x BPP / 8, rounded down.
std::size_t PackedIconSize(const TSkinIcon& icon);

// Appends the icon's pixels in Data order, 8 / BPP to a byte with the first
// pixel in the least significant bits; each pixel keeps only its low BPP bits.
// BPP must be 1, 2, 4 or 8.
void PackIconPixels(const TSkinIcon& icon, std::vector<std::uint8_t>& out);

// Reverses PackIconPixels into exactly `entries` codes: values come from the
// packed bytes in order, a 1 at 1 bpp becomes White, and entries that the
// packed bytes do not reach are Black. Fails on a value above Transparent.
expected<std::vector<std::uint8_t>, Error> UnpackIconPixels(std::span<const std::uint8_t> packed,
                                                            int bpp, std::size_t entries);

// The uncompressed icon stream of the skin: per icon its five head bytes and
// packed pixels, then the end marker. Refuses a skin whose stream would exceed
// SkinStreamCapacity, and icons a skin file cannot hold back unchanged.
expected<std::vector<std::uint8_t>, Error> BuildSkinStream(const Skin& skin);

// The first four bytes of every .skin file.
inline constexpr std::string_view SkinFileMagic = "PVSK";

// The whole .skin file: the 32-byte head ("PVSK", the name field, 0, stream
// length, 0) and the LZO1X-compressed stream. Binary, written as is.
expected<std::vector<std::uint8_t>, Error> WriteSkinFile(const Skin& skin, std::string_view name);

// The name field is read before anything can fail and is returned either way,
// since Open Skin shows it even when the rest of the file is refused.
struct SkinFileRead {
  std::string name;
  expected<Skin, Error> skin;
};

// Reads a .skin file from its bytes (at most the first SkinReadLimit count).
// The whole stream is checked before a Skin is returned.
SkinFileRead ReadSkinFile(std::span<const std::uint8_t> file);

// The name field of a skin head: bytes 4..19 up to the first zero, or as many
// of them as the file holds.
std::string SkinNameField(std::span<const std::uint8_t> file);

// Checks and unpacks a decompressed icon stream. Bytes after the end marker
// are ignored.
expected<Skin, Error> ParseSkinStream(std::span<const std::uint8_t> stream);

// The icon labels in skin order: the items of the icon lists.
std::vector<std::string> IconLabels(const Skin& skin);

}  // namespace pictavo
