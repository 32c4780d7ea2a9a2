#include "cli/skin_manifest.h"

#include <charconv>
#include <cstdio>
#include <optional>

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

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

// A name that a plain "name" line would not give back: it holds a line end
// or another control character.
bool NeedsEscapes(std::string_view name) {
  for (const char c : name) {
    if (IsControl(static_cast<unsigned char>(c))) return true;
  }
  return false;
}

std::string Escaped(std::string_view name) {
  std::string text;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      text += "\\\\";
    } else if (c == '\n') {
      text += "\\n";
    } else if (c == '\r') {
      text += "\\r";
    } else if (c == '\t') {
      text += "\\t";
    } else if (IsControl(byte)) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      text += hex;
    } else {
      text += c;
    }
  }
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::string> Unescaped(std::string_view text) {
  std::string name;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      name += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\':
        name += '\\';
        break;
      case 'n':
        name += '\n';
        break;
      case 'r':
        name += '\r';
        break;
      case 't':
        name += '\t';
        break;
      case 'x': {
        if (text.size() - i < 3) return std::nullopt;
        const int high = HexDigit(text[i + 1]);
        const int low = HexDigit(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        name += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default:
        return std::nullopt;
    }
  }
  return name;
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
    if (line.find('\0') != std::string_view::npos) return unexpected(AtLine(number, "a NUL byte"));
    const std::string_view content = TrimBlanks(line);
    if (content.empty() || content.front() == '#') continue;
    const auto [keyword, rest] = SplitKeyword(content);
    if (keyword == "name" || keyword == "escaped-name") {
      if (named) return unexpected(AtLine(number, "a second name line"));
      if (!manifest.icons.empty()) return unexpected(AtLine(number, "the name must come first"));
      // The name keeps its inner blanks; only the one after the keyword goes.
      std::string_view name = line.substr(line.find(keyword) + keyword.size());
      if (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
      std::optional<std::string> unescaped;
      if (keyword == "escaped-name") {
        unescaped = Unescaped(name);
        if (!unescaped) {
          return unexpected(AtLine(number, "a backslash not followed by \\, n, r, t or xHH"));
        }
        name = *unescaped;
      }
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
  if (NeedsEscapes(manifest.name)) {
    text += "escaped-name " + Escaped(manifest.name) + "\n";
  } else {
    text += "name " + manifest.name + "\n";
  }
  for (const ManifestIcon& icon : manifest.icons) {
    char id[8];
    std::snprintf(id, sizeof id, "0x%02X", icon.id & 0xFF);
    text += "icon " + std::string(id) + " " + std::to_string(icon.bpp) + "\n";
    for (const std::string& file : icon.sub_icons) text += "sub-icon " + file + "\n";
  }
  return text;
}

}  // namespace pictavo::cli
