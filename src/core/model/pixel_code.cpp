#include "core/model/pixel_code.h"

namespace pictavo {

std::string_view CodeCaption(PixelCode code) {
  switch (code) {
    case PixelCode::Black:
      return "black";
    case PixelCode::Gray66:
      return "66 % gray";
    case PixelCode::Gray33:
      return "33 % gray";
    case PixelCode::White:
      return "white";
    case PixelCode::Transparent:
      return "transparent";
  }
  return "";
}

}  // namespace pictavo
