#pragma once

#include <string>
#include <string_view>

namespace pictavo {

// Why a reader refused its input, in words a user can act on ("the width is
// 120, above the largest 96"). The window adds the file name.
struct Error {
  std::string message;
};

// The reasons are written to follow a colon; on their own, as a message box
// or a line of the command line shows them, they start with a capital and
// end with a full stop.
std::string AsSentence(std::string_view reason);

// "could not be read: <reason>": what the window and the command line both
// say after the name of a file they could not read.
std::string CouldNotReadReason(const Error& error);

}  // namespace pictavo
