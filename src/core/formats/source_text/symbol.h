#pragma once

#include <string>
#include <string_view>

namespace pictavo {

// True for a name C and C++ take as an identifier: letters, digits and "_",
// no leading digit, not a keyword of either language.
bool IsCIdentifier(std::string_view name);

// The symbol for a picture: `name` when it is a C identifier, otherwise
// `fallback` (the file's name) made into one: every character an identifier
// cannot hold becomes "_", a leading digit gets "_" in front, a keyword gets
// "_" behind; an empty result is "picture".
std::string SourceSymbol(std::string_view name, std::string_view fallback);

}  // namespace pictavo
