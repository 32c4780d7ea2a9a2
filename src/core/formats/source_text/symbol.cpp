#include "core/formats/source_text/symbol.h"

#include <algorithm>
#include <iterator>

namespace pictavo {

namespace {

// Keywords of C (up to C23) and C++ (up to C++23): a header compiled by both
// cannot name its array after any of them.
// clang-format off
constexpr std::string_view Keywords[] = {
    "alignas", "alignof", "and", "and_eq", "asm", "atomic_cancel", "atomic_commit",
    "atomic_noexcept", "auto", "bitand", "bitor", "bool", "break", "case", "catch", "char",
    "char8_t", "char16_t", "char32_t", "class", "compl", "concept", "const", "consteval",
    "constexpr", "constinit", "const_cast", "continue", "co_await", "co_return", "co_yield",
    "decltype", "default", "delete", "do", "double", "dynamic_cast", "else", "enum", "explicit",
    "export", "extern", "false", "float", "for", "friend", "goto", "if", "inline", "int",
    "long", "mutable", "namespace", "new", "noexcept", "not", "not_eq", "nullptr", "operator",
    "or", "or_eq", "private", "protected", "public", "reflexpr", "register", "reinterpret_cast",
    "requires", "restrict", "return", "short", "signed", "sizeof", "static", "static_assert",
    "static_cast", "struct", "switch", "synchronized", "template", "this", "thread_local",
    "throw", "true", "try", "typedef", "typeid", "typename", "typeof", "typeof_unqual", "union",
    "unsigned", "using", "virtual", "void", "volatile", "wchar_t", "while", "xor", "xor_eq",
};
// clang-format on

bool IsIdentifierChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsKeyword(std::string_view name) {
  return std::find(std::begin(Keywords), std::end(Keywords), name) != std::end(Keywords);
}

}  // namespace

bool IsCIdentifier(std::string_view name) {
  if (name.empty() || IsDigit(name.front()) || IsKeyword(name)) return false;
  return std::all_of(name.begin(), name.end(), IsIdentifierChar);
}

std::string SourceSymbol(std::string_view name, std::string_view fallback) {
  if (IsCIdentifier(name)) return std::string(name);
  std::string symbol(fallback);
  for (char& c : symbol) {
    if (!IsIdentifierChar(c)) c = '_';
  }
  if (symbol.empty()) return "picture";
  if (IsDigit(symbol.front())) symbol.insert(symbol.begin(), '_');
  if (IsKeyword(symbol)) symbol += '_';
  return symbol;
}

}  // namespace pictavo
