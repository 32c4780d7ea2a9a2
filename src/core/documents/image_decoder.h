#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/documents/file_kinds.h"
#include "core/imaging/image_conversion.h"
#include "core/model/error.h"
#include "core/model/expected.h"

namespace pictavo {

// Decodes the images ReadDocument finds (BMP, PNG, GIF, JPEG). The core
// decodes no image itself: the image loader, outside it, implements this.
class ImageDecoder {
 public:
  virtual ~ImageDecoder() = default;

  // The most of a file the decoder looks at; an image must end within it.
  virtual std::size_t ReadLimit() const = 0;
  // Every pixel of the image of that kind in `bytes`, the first ReadLimit()
  // bytes of a file of `file_size` bytes (or all of it): with `all_frames`
  // every frame of an animation, otherwise the first. No kind: only the
  // file's name says it is an image, and the decoder says what it is
  // instead if it can. Refused, with the reason as one line, as the
  // decoder's limits and checks say.
  virtual expected<std::vector<RgbImage>, Error> Decode(std::optional<FileKind> kind,
                                                        std::span<const std::uint8_t> bytes,
                                                        std::uint64_t file_size,
                                                        bool all_frames) const = 0;
};

}  // namespace pictavo
