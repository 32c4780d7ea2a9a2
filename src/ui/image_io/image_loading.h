#pragma once

#include <optional>

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QtGlobal>

#include "core/editing/bitmap_import.h"

class QIODevice;

namespace pictavo {

// The largest image "Open BMP" reads: 4096 x 4096 pixels, 64 MiB once every
// pixel takes 32 bits. Only the top-left 96 x 92 are ever imported; the limit
// keeps a header that declares a huge image (a 1-bit one grows 32-fold in the
// conversion) from making the program allocate gigabytes.
inline constexpr qint64 MaxBmpPixels = qint64{4096} * 4096;

// Reads a BMP image, recognised by its content whatever the file is called,
// and returns it with 32-bit RGB pixels. Other image formats, damaged files
// and images of more than MaxBmpPixels give a null image, with the reason in
// `*error` when `error` is given.
QImage LoadBmpImage(const QString& path, QString* error);
QImage LoadBmpImage(QIODevice& device, QString* error);

// The top-left 96 x 92 pixels at most of an image (best given as RGB32): the
// part the import converts, handed over alone so a large image is not held
// twice.
RgbImage TopLeftPixels(const QImage& rgb32);

// Both steps together: what "Open BMP" hands to BitmapImport::OpenImage.
std::optional<RgbImage> LoadRgbImage(QIODevice& device, QString* error);
std::optional<RgbImage> LoadRgbImage(const QByteArray& bytes, QString* error);

}  // namespace pictavo
