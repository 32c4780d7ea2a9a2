#include "core/formats/source_text/symbol.h"

#include <algorithm>
#include <array>
#include <regex>
#include <vector>

namespace pictavo {

namespace {

using namespace std::string_view_literals;

// Keywords of C (C99 to C23) and C++ (C++17 to C++23), the alternative
// tokens and those of the technical specifications: a header compiled as
// either cannot name its array after any of them.
// clang-format off
constexpr std::array Keywords = {
    "_Alignas"sv, "_Alignof"sv, "_Atomic"sv, "_BitInt"sv, "_Bool"sv, "_Complex"sv,
    "_Decimal128"sv, "_Decimal32"sv, "_Decimal64"sv, "_Generic"sv, "_Imaginary"sv, "_Noreturn"sv,
    "_Pragma"sv, "_Static_assert"sv, "_Thread_local"sv,
    "alignas"sv, "alignof"sv, "and"sv, "and_eq"sv, "asm"sv, "atomic_cancel"sv, "atomic_commit"sv,
    "atomic_noexcept"sv, "auto"sv, "bitand"sv, "bitor"sv, "bool"sv, "break"sv, "case"sv,
    "catch"sv, "char"sv, "char8_t"sv, "char16_t"sv, "char32_t"sv, "class"sv, "compl"sv,
    "concept"sv, "const"sv, "consteval"sv, "constexpr"sv, "constinit"sv, "const_cast"sv,
    "continue"sv, "co_await"sv, "co_return"sv, "co_yield"sv, "decltype"sv, "default"sv,
    "delete"sv, "do"sv, "double"sv, "dynamic_cast"sv, "else"sv, "enum"sv, "explicit"sv,
    "export"sv, "extern"sv, "false"sv, "float"sv, "for"sv, "friend"sv, "goto"sv, "if"sv,
    "inline"sv, "int"sv, "long"sv, "mutable"sv, "namespace"sv, "new"sv, "noexcept"sv, "not"sv,
    "not_eq"sv, "nullptr"sv, "operator"sv, "or"sv, "or_eq"sv, "private"sv, "protected"sv,
    "public"sv, "reflexpr"sv, "register"sv, "reinterpret_cast"sv, "requires"sv, "restrict"sv,
    "return"sv, "short"sv, "signed"sv, "sizeof"sv, "static"sv, "static_assert"sv,
    "static_cast"sv, "struct"sv, "switch"sv, "synchronized"sv, "template"sv, "this"sv,
    "thread_local"sv, "throw"sv, "true"sv, "try"sv, "typedef"sv, "typeid"sv, "typename"sv,
    "typeof"sv, "typeof_unqual"sv, "union"sv, "unsigned"sv, "using"sv, "virtual"sv, "void"sv,
    "volatile"sv, "wchar_t"sv, "while"sv, "xor"sv, "xor_eq"sv,
};
// clang-format on

// Macros GCC and Clang predefine in their GNU modes (the default) on the
// machines the texts are built on: an array named so would be the number 1.
constexpr std::array PredefinedMacros = {"i386"sv, "linux"sv, "unix"sv};

// What the texts add to the symbol, each name checked like the symbol: the
// picture header's defines, the X bitmap's names, and a skin table's count,
// arrays and entry type.
constexpr std::array DefineParts = {"WIDTH"sv, "HEIGHT"sv, "BPP"sv, "ICONS"sv};
constexpr std::array NameParts = {"_width"sv, "_height"sv, "_bits"sv,       "_icons"sv,
                                  "_icon"sv,  "_lookup"sv, "_icon_count"sv, "_size"sv};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentifierChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c) || c == '_';
}

bool Matches(std::string_view name, const std::regex& pattern) {
  return std::regex_match(name.begin(), name.end(), pattern);
}

// Why the identifier itself is reserved, not counting the names made of it.
std::optional<std::string> OwnReason(std::string_view name) {
  // The types <stdint.h> defines and those C keeps for it; its macros (the
  // exact-width, least, fast, pointer and greatest ones, the limits of the
  // other types); the _WIDTH macros of <limits.h>, next to the texts' own.
  static const std::regex stdint_type("u?int[A-Za-z0-9_]*_t");
  static const std::regex stdint_macro(
      "U?INT(_LEAST|_FAST)?[0-9]+_(MIN|MAX|WIDTH)|U?INT[0-9]+_C|U?INTMAX_(MIN|MAX|WIDTH|C)|"
      "U?INTPTR_(MIN|MAX|WIDTH)|(PTRDIFF|SIG_ATOMIC|WCHAR|WINT)_(MIN|MAX|WIDTH)|SIZE_(MAX|WIDTH)");
  static const std::regex limits_macro("([SU]?CHAR|U?SHRT|U?INT|U?LONG|U?LLONG|BOOL)_WIDTH");
  static const std::regex cpp_namespace("std[0-9]*|posix");
  if (std::ranges::find(Keywords, name) != Keywords.end()) return "is a keyword of C or C++";
  if (name.starts_with('_')) return "starts with \"_\", reserved in C and C++";
  if (name.find("__") != std::string_view::npos) return "holds \"__\", reserved in C++";
  if (name == "main") return "is the name of a program's entry point";
  if (Matches(name, cpp_namespace)) return "is a namespace C++ reserves";
  if (Matches(name, stdint_type)) return "is a type name C reserves for <stdint.h>";
  if (Matches(name, stdint_macro)) return "is a macro of <stdint.h>";
  if (Matches(name, limits_macro)) return "is a macro of <limits.h>";
  if (std::ranges::find(PredefinedMacros, name) != PredefinedMacros.end()) {
    return "is a macro compilers predefine";
  }
  return std::nullopt;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// Runs of "_" made one, those at either end gone.
std::string Squeezed(std::string_view name) {
  std::string out;
  for (const char c : name) {
    if (c == '_' && (out.empty() || out.back() == '_')) continue;
    out += c;
  }
  if (!out.empty() && out.back() == '_') out.pop_back();
  return out;
}

}  // namespace

bool IsCIdentifier(std::string_view name) { return !NotIdentifierReason(name); }

std::optional<std::string> NotIdentifierReason(std::string_view name) {
  if (name.empty()) return "is empty";
  if (IsDigit(name.front())) return "starts with a digit";
  const auto wrong = std::ranges::find_if_not(name, IsIdentifierChar);
  if (wrong == name.end()) return std::nullopt;
  // The whole character, however many UTF-8 bytes it takes.
  auto end = wrong + 1;
  while (end != name.end() && (static_cast<unsigned char>(*end) & 0xC0) == 0x80) ++end;
  return "holds \"" + std::string(wrong, end) + "\"";
}

std::string SymbolDefine(std::string_view symbol, std::string_view what) {
  return Upper(symbol) + "_" + std::string(what);
}

std::string SymbolGuard(std::string_view symbol) { return "PICTAVO_" + Upper(symbol) + "_H"; }

std::optional<std::string> ReservedReason(std::string_view identifier) {
  if (auto own = OwnReason(identifier)) return own;
  std::vector<std::string> made = {SymbolGuard(identifier)};
  for (const std::string_view part : DefineParts) made.push_back(SymbolDefine(identifier, part));
  for (const std::string_view part : NameParts)
    made.push_back(std::string(identifier) + std::string(part));
  for (const std::string& name : made) {
    if (auto reason = OwnReason(name)) return "would make " + name + ", which " + *reason;
  }
  return std::nullopt;
}

std::string MendedSymbol(std::string_view identifier) {
  if (IsCIdentifier(identifier) && !ReservedReason(identifier)) return std::string(identifier);
  std::string symbol = Squeezed(identifier);
  if (symbol.empty()) return "picture";
  if (IsDigit(symbol.front())) symbol.insert(0, "picture_");
  if (ReservedReason(symbol)) symbol += "_picture";
  return symbol;
}

std::string SpelledAsIdentifier(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (IsIdentifierChar(text[i])) {
      out += text[i];
      continue;
    }
    out += '_';
    // The continuation bytes of a UTF-8 character belong to its "_".
    if (byte >= 0xC0) {
      while (i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) ++i;
    }
  }
  return out;
}

std::string SourceSymbol(std::string_view name, std::string_view fallback) {
  if (IsCIdentifier(name)) return MendedSymbol(name);
  return MendedSymbol(SpelledAsIdentifier(fallback));
}

}  // namespace pictavo
