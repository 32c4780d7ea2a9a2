#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pictavo {

// True for a name spelled as a C identifier: ASCII letters, digits and "_",
// no leading digit. It may still be reserved, see ReservedReason.
bool IsCIdentifier(std::string_view name);

// Why `name` is no C identifier, after the name: "starts with a digit",
// "holds \"-\"", "is empty"; nothing when it is one.
std::optional<std::string> NotIdentifierReason(std::string_view name);

// The names a text makes of its symbol: the C header's defines
// (SYMBOL_WIDTH), its include guard (PICTAVO_SYMBOL_H), the X bitmap's
// symbol_bits and a skin table's SYMBOL_ICONS, symbol_icons and the like.
std::string SymbolDefine(std::string_view symbol, std::string_view what);
std::string SymbolGuard(std::string_view symbol);

// Why an identifier cannot name a picture's array, after the name: it, or a
// name the texts make of it, is a keyword of C or C++, reserved by either
// ("_" in front, "__" inside), main, a namespace C++ keeps, a name
// <stdint.h> or <limits.h> defines or C keeps for <stdint.h>, or a macro
// compilers predefine. Nothing when it can.
std::optional<std::string> ReservedReason(std::string_view identifier);

// An identifier that is not reserved made of `identifier`, unchanged when
// it is not: runs of "_" become one and those at either end go, nothing left
// gives "picture", a leading digit gets "picture_" in front, and a name still
// reserved gets "_picture" behind.
std::string MendedSymbol(std::string_view identifier);

// `text` spelled as an identifier: every character an identifier cannot
// hold becomes "_" (a character of several UTF-8 bytes one "_").
std::string SpelledAsIdentifier(std::string_view text);

// The symbol for a picture: `name` when it is a C identifier, otherwise
// `fallback` (the file's name) spelled as one, then mended.
std::string SourceSymbol(std::string_view name, std::string_view fallback);

}  // namespace pictavo
