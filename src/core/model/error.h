#pragma once

#include <string>

namespace pictavo {

// Why a reader refused its input, in words a user can act on ("the width is
// 120, above the largest 96"). The window adds the file name.
struct Error {
  std::string message;
};

}  // namespace pictavo
