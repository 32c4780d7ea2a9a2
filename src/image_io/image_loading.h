#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QtGlobal>

#include "core/documents/image_decoder.h"
#include "core/imaging/image_conversion.h"
#include "image_io/image_data_check.h"

class QIODevice;

namespace pictavo {

// The largest image "Open BMP" reads: 4096 x 4096 pixels, 64 MiB once every
// pixel takes 32 bits. Only the top-left 96 x 92 are ever imported; the limit
// keeps a header that declares a huge image (a 1-bit one grows 32-fold in the
// conversion) from making the program allocate gigabytes.
inline constexpr qint64 MaxBmpPixels = MaxDecodedPixels;

// The largest image file read whole: a 4096 x 4096 BMP of 32 bits a pixel
// with room to spare for a PNG that compresses badly.
inline constexpr qint64 MaxImageFileBytes = qint64{256} << 20;
// "File larger than 256 MiB" for more than MaxImageFileBytes, else empty:
// the one limit and message of the window and the command line.
QString ImageFileSizeFault(std::size_t size);

// The most of a file the loader reads: more than any image within
// MaxBmpPixels takes (a BMP of 32 bits a pixel 64 MiB, a PNG a little more
// than its pixels, a JPEG or GIF less). The image must end within it; what
// follows is not part of the image and is never loaded, so that a file as
// large as the limit costs no more memory than the image in it.
inline constexpr std::size_t MaxImageDataBytes = std::size_t{96} << 20;

// Reads a BMP, PNG, GIF or JPEG image, recognised by its content whatever the
// file is called, and returns every pixel of it, with its alpha channel when
// it has one. With `all_frames` an animated GIF gives each of its frames as
// the animation shows it (whole canvas); otherwise, and for other formats,
// the one image. Refused, with the reason in `*error` when given: anything
// but a regular file, other formats, more than MaxBmpPixels pixels (all
// frames together, each as large as the decoder makes it), more than
// MaxImageFrames frames or MaxJpegScans scans, and files that are damaged or
// cut short, so that every pixel returned came from the file. The reason is
// one line; the decoders' own warnings go into it rather than to the log.
// A file that cannot be read at all is said in `*read_error` when given.
std::optional<std::vector<RgbImage>> LoadImageFrames(const QString& path, QString* error,
                                                     bool all_frames = false,
                                                     QString* read_error = nullptr);
std::optional<std::vector<RgbImage>> LoadImageFrames(QIODevice& device, QString* error,
                                                     bool all_frames = false);
std::optional<std::vector<RgbImage>> LoadImageFrames(const QByteArray& bytes, QString* error,
                                                     bool all_frames = false);

// All pixels of an image; `alpha` is filled only when it has an alpha channel.
RgbImage ToRgbImage(const QImage& image);

// The loader as the core's image decoder: what ReadDocument decodes images
// with, under the same limits and checks.
class LoaderImageDecoder final : public ImageDecoder {
 public:
  std::size_t ReadLimit() const override { return MaxImageDataBytes; }
  expected<std::vector<RgbImage>, Error> Decode(std::optional<FileKind> kind,
                                                std::span<const std::uint8_t> bytes,
                                                std::uint64_t file_size,
                                                bool all_frames) const override;
};

}  // namespace pictavo
