#include "ui/image_io/image_loading.h"

#include <algorithm>
#include <cstdint>

#include <QBuffer>
#include <QIODevice>
#include <QImageReader>
#include <QRect>
#include <QSize>

namespace pictavo {

namespace {

// The decoded image before its conversion takes at most 4 bytes a pixel.
constexpr int AllocationLimitMiB = static_cast<int>(MaxBmpPixels * 4 / (1024 * 1024));

QImage Refuse(QString* error, const QString& reason) {
  if (error) *error = reason;
  return QImage();
}

qint64 PixelCount(QSize size) {
  // A top-down BMP declares a negative height.
  return qAbs(qint64{size.width()}) * qAbs(qint64{size.height()});
}

QImage ReadBmp(QImageReader& reader, QString* error) {
  // The content decides the format, not the file's extension.
  reader.setDecideFormatFromContent(true);
  reader.setAllocationLimit(AllocationLimitMiB);
  // Only BMP is read: other formats are recognised to be refused, so their
  // decoders never see the file.
  const QByteArray format = reader.format();
  if (!format.isEmpty() && format != "bmp") {
    return Refuse(error, QStringLiteral("Not a BMP image (%1)").arg(QLatin1String(format)));
  }
  // The header alone tells the size: refuse before anything is allocated.
  const QSize declared = reader.size();
  if (PixelCount(declared) > MaxBmpPixels) {
    return Refuse(error, QStringLiteral("Image too large (%1 x %2 pixels)")
                             .arg(declared.width())
                             .arg(qAbs(declared.height())));
  }
  const QImage image = reader.read();
  if (image.isNull()) return Refuse(error, reader.errorString());
  // Should the decoder disagree with its header, the conversion below is
  // still bounded.
  if (PixelCount(image.size()) > MaxBmpPixels) {
    return Refuse(
        error,
        QStringLiteral("Image too large (%1 x %2 pixels)").arg(image.width()).arg(image.height()));
  }
  QImage rgb32 = image.convertToFormat(QImage::Format_RGB32);
  if (rgb32.isNull()) return Refuse(error, QStringLiteral("Not enough memory for the image"));
  return rgb32;
}

}  // namespace

QImage LoadBmpImage(const QString& path, QString* error) {
  // Reading by path keeps the toolkit's own reasons, "File not found" among them.
  QImageReader reader(path);
  return ReadBmp(reader, error);
}

QImage LoadBmpImage(QIODevice& device, QString* error) {
  QImageReader reader(&device);
  return ReadBmp(reader, error);
}

RgbImage TopLeftPixels(const QImage& rgb32) {
  if (rgb32.isNull()) return {};
  if (rgb32.format() != QImage::Format_RGB32) {
    // Rows are read as 32-bit pixels below; convert only the part taken.
    const QRect part(0, 0, std::min(rgb32.width(), MaxPictureWidth),
                     std::min(rgb32.height(), MaxPictureHeight));
    const QImage converted = rgb32.copy(part).convertToFormat(QImage::Format_RGB32);
    if (converted.format() != QImage::Format_RGB32) return {};
    return TopLeftPixels(converted);
  }
  RgbImage image;
  image.width = std::min(rgb32.width(), MaxPictureWidth);
  image.height = std::min(rgb32.height(), MaxPictureHeight);
  image.pixels.reserve(static_cast<std::size_t>(image.width) * image.height);
  for (int y = 0; y < image.height; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(rgb32.constScanLine(y));
    for (int x = 0; x < image.width; ++x) {
      image.pixels.push_back({static_cast<std::uint8_t>(qRed(row[x])),
                              static_cast<std::uint8_t>(qGreen(row[x])),
                              static_cast<std::uint8_t>(qBlue(row[x]))});
    }
  }
  return image;
}

std::optional<RgbImage> LoadRgbImage(QIODevice& device, QString* error) {
  const QImage rgb32 = LoadBmpImage(device, error);
  if (rgb32.isNull()) return std::nullopt;
  return TopLeftPixels(rgb32);
}

std::optional<RgbImage> LoadRgbImage(const QByteArray& bytes, QString* error) {
  QBuffer buffer;
  buffer.setData(bytes);
  if (!buffer.open(QIODevice::ReadOnly)) {
    Refuse(error, buffer.errorString());
    return std::nullopt;
  }
  return LoadRgbImage(buffer, error);
}

}  // namespace pictavo
