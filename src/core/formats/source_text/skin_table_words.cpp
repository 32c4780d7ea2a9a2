#include "core/formats/source_text/skin_table_words.h"

#include <array>
#include <charconv>

#include "core/formats/source_text/header_comment.h"
#include "core/formats/source_text/scan.h"

namespace pictavo {

namespace {

constexpr std::string_view SkinWords = ": skin ";
constexpr std::string_view BytesWords = "file of ";
constexpr std::string_view BytesEnd = " bytes, as \"SaveSkin...\" writes it";

// Every packing the sentence can name.
constexpr std::array<SkinTablePacking, 6> Arrangements = {{
    {0, false, BitOrder::Lsb},
    {0, true, BitOrder::Lsb},
    {0, false, BitOrder::Msb},
    {0, true, BitOrder::Msb},
    {0, false, BitOrder::Lsb, ByteLayout::Pages},
    {0, false, BitOrder::Msb, ByteLayout::Pages},
}};

bool Plain(char c) {
  return c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '*' && c != '/';
}

std::string Quoted(std::string_view name) {
  std::string out = "\"";
  for (const char c : name) {
    if (Plain(c)) {
      out += c;
      continue;
    }
    const auto byte = static_cast<unsigned char>(c);
    out += '\\';
    out += static_cast<char>('0' + (byte >> 6));
    out += static_cast<char>('0' + ((byte >> 3) & 7));
    out += static_cast<char>('0' + (byte & 7));
  }
  return out + "\"";
}

// The quoted name at the start of `text`, taken off it.
std::optional<std::string> Unquoted(std::string_view& text) {
  if (text.empty() || text.front() != '"') return std::nullopt;
  std::string name;
  std::size_t i = 1;
  for (; i < text.size() && text[i] != '"'; ++i) {
    if (text[i] != '\\') {
      name += text[i];
      continue;
    }
    if (i + 3 >= text.size()) return std::nullopt;
    int byte = 0;
    for (std::size_t k = i + 1; k <= i + 3; ++k) {
      if (text[k] < '0' || text[k] > '7') return std::nullopt;
      byte = byte * 8 + (text[k] - '0');
    }
    if (byte > 0xFF) return std::nullopt;
    name += static_cast<char>(byte);
    i += 3;
  }
  if (i >= text.size()) return std::nullopt;
  text.remove_prefix(i + 1);
  return name;
}

std::optional<std::size_t> Count(std::string_view& text) {
  std::size_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end == text.data()) return std::nullopt;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return value;
}

std::string Arrangement(const SkinTablePacking& packing) {
  if (packing.depth == 8) return "all at 8 bits per pixel, one code per byte";
  std::string out = packing.depth == 0 ? "each at its own depth"
                    : packing.depth == 1
                        ? "all at 1 bit per pixel"
                        : "all at " + std::to_string(packing.depth) + " bits per pixel";
  return out + ", " + PackingWords({1, packing.aligned, packing.order, packing.layout});
}

}  // namespace

std::string SkinTableSentence(std::string_view symbol, std::string_view name, std::size_t icons,
                              const SkinTablePacking& packing) {
  return std::string(symbol) + std::string(SkinWords) + Quoted(name) + " of " +
         std::to_string(icons) + (icons == 1 ? " icon, " : " icons, ") + Arrangement(packing);
}

std::string SkinBytesSentence(std::string_view symbol, std::size_t bytes) {
  return std::string(symbol) + std::string(SkinWords) + std::string(BytesWords) +
         std::to_string(bytes) + std::string(BytesEnd);
}

std::optional<TableStatement> ReadTableStatement(std::string_view comment) {
  comment = Trimmed(comment);
  const std::size_t colon = comment.find(SkinWords);
  if (colon == std::string_view::npos) return std::nullopt;
  TableStatement statement;
  statement.symbol = std::string(Trimmed(comment.substr(0, colon)));
  std::string_view rest = comment.substr(colon + SkinWords.size());
  if (rest.starts_with(BytesWords)) {
    rest.remove_prefix(BytesWords.size());
    const auto count = Count(rest);
    if (!count || rest != BytesEnd) return std::nullopt;
    statement.skin_bytes = true;
    statement.count = *count;
    return statement;
  }
  auto name = Unquoted(rest);
  if (!name || !rest.starts_with(" of ")) return std::nullopt;
  rest.remove_prefix(4);
  const auto count = Count(rest);
  const std::string_view unit = count == 1u ? " icon, " : " icons, ";
  if (!count || !rest.starts_with(unit)) return std::nullopt;
  rest.remove_prefix(unit.size());
  statement.name = std::move(*name);
  statement.count = *count;
  for (const int depth : {0, 1, 2, 4, 8}) {
    for (SkinTablePacking packing : Arrangements) {
      packing.depth = depth;
      if (rest == Arrangement(packing)) {
        statement.packing = depth == 8 ? SkinTablePacking{8} : packing;
        return statement;
      }
    }
  }
  return std::nullopt;
}

}  // namespace pictavo
