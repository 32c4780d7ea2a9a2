#include "core/formats/source_text/scan.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace pictavo {

namespace {

constexpr std::array<std::string_view, 6> OwnHeaders = {
    "/*Created by DravikPictavo */", "/*C++ format*/",
    "/* format 1 bit per pixel */",  "/* format 2 bits per pixel */",
    "/* format 4 bits per pixel */", "/* format 8 bits per pixel */",
};

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }
bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Lower-case words and numbers of a comment, in order.
std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  for (const char c : text) {
    if (IsWordChar(c)) {
      word += Lower(c);
    } else if (!word.empty()) {
      words.push_back(std::move(word));
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

std::optional<int> DepthWord(std::string_view word) {
  if (word == "1" || word == "2" || word == "4" || word == "8") return word[0] - '0';
  return std::nullopt;
}

}  // namespace

std::string_view OwnHeaderOf(std::string_view line) {
  const std::string_view text = Trimmed(line);
  for (const std::string_view header : OwnHeaders) {
    if (text.ends_with(header)) return header;
  }
  return {};
}

bool IsOwnHeader(std::string_view line) { return !OwnHeaderOf(line).empty(); }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
    text.remove_prefix(1);
  }
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
    text.remove_suffix(1);
  }
  return text;
}

bool StartsWithWord(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (Lower(text[i]) != Lower(word[i])) return false;
  }
  return text.size() == word.size() || !IsWordChar(text[word.size()]);
}

std::vector<TextLine> ScanLines(std::string_view text) {
  std::vector<TextLine> lines;
  bool in_comment = false;
  bool keep_whole = false;
  int number = 1;
  while (true) {
    const std::size_t end = text.find_first_of("\r\n");
    TextLine line;
    line.number = number++;
    line.raw = text.substr(0, end);
    if (keep_whole && !in_comment && !IsOwnHeader(line.raw)) {
      line.code = std::string(line.raw);
      line.kept_whole = true;
      keep_whole = false;
    } else {
      keep_whole = !in_comment && IsOwnHeader(line.raw);
      const std::string_view raw = line.raw;
      std::size_t i = 0;
      while (i < raw.size()) {
        if (in_comment) {
          const std::size_t close = raw.find("*/", i);
          line.comments.append(raw.substr(i, close == raw.npos ? raw.npos : close - i));
          line.comments += ' ';
          if (close == raw.npos) break;
          in_comment = false;
          i = close + 2;
          line.code += ' ';
        } else if (raw.compare(i, 2, "/*") == 0) {
          in_comment = true;
          i += 2;
        } else if (raw.compare(i, 2, "//") == 0) {
          line.comments.append(raw.substr(i + 2));
          break;
        } else {
          line.code += raw[i++];
        }
      }
    }
    lines.push_back(std::move(line));
    if (end == text.npos) break;
    // CR LF is one line end; a lone CR or LF is one too.
    const std::size_t next = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
    text.remove_prefix(next);
  }
  return lines;
}

std::optional<std::int64_t> ParseNumber(std::string_view token) {
  while (!token.empty() && (Lower(token.back()) == 'u' || Lower(token.back()) == 'l')) {
    token.remove_suffix(1);
  }
  if (token.empty()) return std::nullopt;
  int base = 10;
  if (token.size() > 2 && token[0] == '0' && (Lower(token[1]) == 'x' || Lower(token[1]) == 'b')) {
    base = Lower(token[1]) == 'x' ? 16 : 2;
    token.remove_prefix(2);
  } else if (token.size() > 1 && token.size() <= 9 && token[0] == 'B' &&
             token.find_first_not_of("01", 1) == token.npos) {
    // Arduino's binary constants, B0 to B11111111.
    base = 2;
    token.remove_prefix(1);
  } else if (token.size() > 1 && token[0] == '0') {
    base = 8;
  }
  std::int64_t value = 0;
  for (const char c : token) {
    int digit = 0;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (Lower(c) >= 'a' && Lower(c) <= 'f') {
      digit = Lower(c) - 'a' + 10;
    } else {
      return std::nullopt;
    }
    if (digit >= base) return std::nullopt;
    // Held at the ceiling, past every range, so that it cannot overflow.
    value = std::min(value * base + digit, NumberCeiling);
  }
  return value;
}

void GatherHints(std::string_view comment, PackingHints& hints) {
  const std::vector<std::string> words = Words(comment);
  const auto word_at = [&words](std::size_t i) {
    return i < words.size() ? std::string_view(words[i]) : std::string_view();
  };
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string_view word = word_at(i);
    const std::string_view next = word_at(i + 1);
    if (!hints.depth) {
      // "2 bits per pixel", "2 bpp", "2bpp"; not "8-bit", which names processors.
      const auto depth = DepthWord(word);
      if (depth && (next == "bpp" || (next.starts_with("bit") && word_at(i + 2) == "per"))) {
        hints.depth = depth;
      } else if (word.size() == 4 && word.ends_with("bpp")) {
        hints.depth = DepthWord(word.substr(0, 1));
      }
    }
    const bool significant = next.starts_with("signif");
    if (word == "msb" || ((word == "most" || word == "highest") && significant)) {
      hints.says_high_first = true;
    }
    if (word == "lsb" || ((word == "least" || word == "lowest") && significant)) {
      hints.says_low_first = true;
    }
    if (word == "page" || word == "pages") hints.pages = true;
  }
}

std::string Found(std::string_view text) {
  text = Trimmed(text);
  if (text.empty()) return "found an empty line";
  constexpr std::size_t Shown = 40;
  std::string shown(text.substr(0, Shown));
  if (text.size() > Shown) shown += "...";
  return "found \"" + shown + "\"";
}

}  // namespace pictavo
