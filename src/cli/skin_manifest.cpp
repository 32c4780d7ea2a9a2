#include "cli/skin_manifest.h"

#include <charconv>
#include <cstdio>

#include "core/formats/icon_id.h"
#include "core/formats/skin_file.h"
#include "core/model/skin.h"

namespace pictavo::cli {

namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// The keyword and the rest of the line after one blank.
std::pair<std::string_view, std::string_view> SplitKeyword(std::string_view line) {
  const std::size_t blank = line.find_first_of(" \t");
  if (blank == std::string_view::npos) return {line, {}};
  return {line.substr(0, blank), TrimBlanks(line.substr(blank + 1))};
}

Error AtLine(int line, const std::string& what) {
  return Error{"line " + std::to_string(line) + ": " + what};
}

}  // namespace

expected<SkinManifest, Error> ParseSkinManifest(std::string_view text) {
  SkinManifest manifest;
  bool named = false;
  int number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view content = TrimBlanks(line);
    if (content.empty() || content.front() == '#') continue;
    const auto [keyword, rest] = SplitKeyword(content);
    if (keyword == "name") {
      if (named) return unexpected(AtLine(number, "a second name line"));
      if (!manifest.icons.empty()) return unexpected(AtLine(number, "the name must come first"));
      // The name keeps its inner blanks; only the one after the keyword goes.
      std::string_view name = line.substr(line.find("name") + 4);
      if (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
      if (name.size() > SkinNameFieldSize) {
        return unexpected(AtLine(number, "the name has " + std::to_string(name.size()) +
                                             " bytes; a skin file holds 16"));
      }
      manifest.name = std::string(name);
      named = true;
    } else if (keyword == "icon") {
      const auto [id_text, bpp_text] = SplitKeyword(rest);
      const std::optional<int> id = ParseStreamIconId(id_text);
      if (!id) {
        return unexpected(
            AtLine(number, "\"" + std::string(id_text) + "\" is not an icon ID from 0x00 to 0xFE"));
      }
      int bpp = 0;
      const auto [bpp_end, bpp_error] =
          std::from_chars(bpp_text.data(), bpp_text.data() + bpp_text.size(), bpp);
      if (bpp_error != std::errc() || bpp_end != bpp_text.data() + bpp_text.size() ||
          !IsStoredDepth(bpp)) {
        return unexpected(AtLine(number, "the depth must be 1, 2, 4 or 8 bits per pixel, not \"" +
                                             std::string(bpp_text) + "\""));
      }
      manifest.icons.push_back(ManifestIcon{*id, bpp, {}, number});
    } else if (keyword == "sub-icon") {
      if (manifest.icons.empty()) {
        return unexpected(AtLine(number, "a sub-icon before the first icon line"));
      }
      if (rest.empty()) return unexpected(AtLine(number, "a sub-icon line without a file"));
      manifest.icons.back().sub_icons.emplace_back(rest);
    } else {
      return unexpected(
          AtLine(number, "\"" + std::string(keyword) + "\" is not name, icon or sub-icon"));
    }
  }
  for (const ManifestIcon& icon : manifest.icons) {
    if (icon.sub_icons.empty()) return unexpected(AtLine(icon.line, "an icon without sub-icons"));
    if (icon.sub_icons.size() > static_cast<std::size_t>(MaxStoredSubIcons)) {
      return unexpected(AtLine(icon.line, "more than 255 sub-icons"));
    }
  }
  return manifest;
}

std::string WriteSkinManifest(const SkinManifest& manifest) {
  std::string text =
      "# Pictavo skin: read by \"pictavo-cli skin pack\". Per icon its ID and bits per pixel,\n"
      "# then the picture file of each sub-icon in order, relative to this file.\n";
  text += "name " + manifest.name + "\n";
  for (const ManifestIcon& icon : manifest.icons) {
    char id[8];
    std::snprintf(id, sizeof id, "0x%02X", icon.id & 0xFF);
    text += "icon " + std::string(id) + " " + std::to_string(icon.bpp) + "\n";
    for (const std::string& file : icon.sub_icons) text += "sub-icon " + file + "\n";
  }
  return text;
}

}  // namespace pictavo::cli
