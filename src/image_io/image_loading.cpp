#include "image_io/image_loading.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <system_error>

#include <QBuffer>
#include <QIODevice>
#include <QImageReader>
#include <QSize>
#include <QtGlobal>

#include "core/documents/file_kinds.h"
#include "image_io/bmp_header_check.h"
#include "image_io/decoder_messages.h"
#include "image_io/image_data_check.h"
#include "image_io/png_inflate_check.h"
#include "qt_support/core_bridge.h"

namespace pictavo {

namespace {

// The toolkit's own limit for what one decoded image may take.
constexpr int AllocationLimitMiB = static_cast<int>(MaxDecodedBytes >> 20);

// The decoder for the kind the first bytes tell, so that no other decoder
// ever sees the file.
const char* FormatName(FileKind kind) {
  switch (kind) {
    case FileKind::BmpImage:
      return "bmp";
    case FileKind::PngImage:
      return "png";
    case FileKind::GifImage:
      return "gif";
    case FileKind::JpegImage:
      return "jpeg";
    default:  // no image: refused before a decoder is chosen
      break;
  }
  return "";
}

template <class T>
std::optional<T> Refuse(QString* error, const QString& reason) {
  if (error) *error = reason;
  return std::nullopt;
}

qint64 PixelCount(QSize size) {
  // A top-down BMP declares a negative height.
  return qAbs(qint64{size.width()}) * qAbs(qint64{size.height()});
}

QString TooLarge(QSize size) {
  return QStringLiteral("Image too large (%1 x %2 pixels)")
      .arg(size.width())
      .arg(qAbs(size.height()));
}

// The name the toolkit gives a format this loader does not read, for the
// message only.
QString DetectedFormat(const QByteArray& bytes) {
  QByteArray copy = bytes;
  QBuffer buffer(&copy);
  if (!buffer.open(QIODevice::ReadOnly)) return {};
  return QString::fromLatin1(QImageReader::imageFormat(&buffer));
}

std::string StructureFault(FileKind kind, const QByteArray& bytes, GifLayout* gif) {
  const std::span<const std::uint8_t> file = AsBytes(bytes);
  switch (kind) {
    case FileKind::BmpImage:
      return BmpHeaderFault(file);
    case FileKind::GifImage:
      return GifDataFault(file, gif);
    case FileKind::JpegImage:
      return JpegDataFault(file);
    case FileKind::PngImage: {
      std::string fault = PngDataFault(file);
      return fault.empty() ? PngInflateFault(file) : fault;
    }
    default:  // no image: refused before a decoder is chosen
      break;
  }
  return {};
}

QString AnimationTooLarge(int frames, QSize size) {
  return QStringLiteral(
             "Animation too large (%1 frames of %2 x %3 pixels, %4 pixels together; "
             "at most %5)")
      .arg(frames)
      .arg(size.width())
      .arg(size.height())
      .arg(frames * PixelCount(size))
      .arg(MaxBmpPixels);
}

// Decodes the whole file after its structure has been checked, with the
// decoder of the kind the catalogue found and no other. `bytes` is the
// start of a file of `file_size` bytes: all of it, or its first
// MaxImageDataBytes, in which the image must then end.
std::optional<std::vector<QImage>> DecodeImages(FileKind kind, const QByteArray& bytes,
                                                std::size_t file_size, QString* error,
                                                bool all_frames) {
  using Result = std::vector<QImage>;
  if (const QString fault = ImageFileSizeFault(file_size); !fault.isEmpty()) {
    return Refuse<Result>(error, fault);
  }
  QByteArray data = bytes;  // shared, not copied
  QBuffer buffer(&data);
  if (!buffer.open(QIODevice::ReadOnly)) return Refuse<Result>(error, buffer.errorString());
  const DecoderMessages warnings(kind == FileKind::PngImage);
  QImageReader reader(&buffer, FormatName(kind));
  reader.setAutoDetectImageFormat(false);
  reader.setAllocationLimit(AllocationLimitMiB);
  const std::span<const std::uint8_t> file = AsBytes(bytes);
  // The size first, from the header alone, so that an image too large is
  // said so however the rest looks. The PNG decoder would take in every
  // chunk before its pixels to tell the size: its header is read here.
  if (kind == FileKind::PngImage) {
    if (const std::string fault = PngHeaderFault(file); !fault.empty()) {
      return Refuse<Result>(error, QString::fromStdString(fault));
    }
  } else if (kind != FileKind::GifImage) {
    if (const QSize declared = reader.size(); PixelCount(declared) > MaxBmpPixels) {
      return Refuse<Result>(error, TooLarge(declared));
    }
  }
  // Only a file whose every block lies inside it, and whose frames and scans
  // stay within their counts, reaches the decoder; the walk costs a pass over
  // the bytes and allocates nothing the size of the image.
  GifLayout gif;
  if (const std::string fault = StructureFault(kind, bytes, &gif); !fault.empty()) {
    if (file_size > static_cast<std::size_t>(bytes.size())) {
      return Refuse<Result>(error, QStringLiteral("The image does not end within the first %1 MiB "
                                                  "of the file (%2 bytes)")
                                       .arg(MaxImageDataBytes >> 20)
                                       .arg(file_size));
    }
    return Refuse<Result>(error, QString::fromStdString(fault));
  }
  // Every GIF frame comes out as large as the screen.
  const QSize declared =
      kind == FileKind::GifImage ? QSize(gif.screen_width, gif.screen_height) : reader.size();
  if (PixelCount(declared) > MaxBmpPixels) return Refuse<Result>(error, TooLarge(declared));
  const int frames = kind == FileKind::GifImage && all_frames ? gif.frames : 1;
  if (frames * PixelCount(declared) > MaxBmpPixels) {
    return Refuse<Result>(error, AnimationTooLarge(frames, declared));
  }

  Result images;
  qint64 decoded = 0;
  for (int frame = 0; frame < frames; ++frame) {
    QImage image = reader.read();
    if (image.isNull()) {
      const QString reason = warnings.First().isEmpty() ? reader.errorString() : warnings.First();
      return Refuse<Result>(error,
                            QStringLiteral("The %1 data is damaged or cut short (%2)")
                                .arg(QString::fromLatin1(FormatName(kind)).toUpper(), reason));
    }
    if (warnings.FromJpeg()) {
      return Refuse<Result>(error,
                            QStringLiteral("The JPEG data is damaged (%1)").arg(warnings.First()));
    }
    // Should the decoder disagree with the walk, the frames it made are
    // still counted as made.
    decoded += PixelCount(image.size());
    if (decoded > MaxBmpPixels) {
      return Refuse<Result>(
          error, frame == 0 ? TooLarge(image.size()) : AnimationTooLarge(frame + 1, image.size()));
    }
    images.push_back(std::move(image));
  }
  return images;
}

// What the loader keeps of a file: at most MaxImageDataBytes, and the
// length of the whole file.
struct FileStart {
  std::vector<std::uint8_t> bytes;
  std::size_t file_size = 0;
};

std::optional<FileStart> ReadDevice(QIODevice& device, QString* error) {
  if (!device.isOpen() && !device.open(QIODevice::ReadOnly)) {
    return Refuse<FileStart>(error, device.errorString());
  }
  // In parts: one read of the whole limit would reserve all of it at once.
  // Past the kept part only the length counts.
  FileStart start;
  while (start.file_size <= static_cast<std::size_t>(MaxImageFileBytes)) {
    const QByteArray part = device.read(qint64{1} << 16);
    if (part.isEmpty()) break;
    start.file_size += static_cast<std::size_t>(part.size());
    const std::size_t room = MaxImageDataBytes - std::min(MaxImageDataBytes, start.bytes.size());
    start.bytes.insert(
        start.bytes.end(), part.begin(),
        part.begin() + static_cast<qsizetype>(std::min(room, std::size_t(part.size()))));
  }
  return start;
}

std::optional<FileStart> ReadPath(const QString& path, QString* error, QString* read_error) {
  auto bytes = ReadLocalFile(path, MaxImageDataBytes + 1);
  if (!bytes) return Refuse<FileStart>(read_error ? read_error : error, ReasonText(bytes.error()));
  FileStart start{std::move(*bytes), 0};
  start.file_size = start.bytes.size();
  if (start.file_size > MaxImageDataBytes) {
    std::error_code failed;
    start.file_size = static_cast<std::size_t>(std::filesystem::file_size(LocalPath(path), failed));
    if (failed) {
      return Refuse<FileStart>(read_error ? read_error : error,
                               QString::fromLocal8Bit(failed.message().c_str()));
    }
    start.bytes.resize(MaxImageDataBytes);
  }
  return start;
}

std::optional<std::vector<RgbImage>> LoadStart(const std::optional<FileStart>& start,
                                               QString* error, bool all_frames);

// The decoder the first bytes ask for, or why there is none.
std::optional<std::vector<QImage>> DecodeAnyImage(const QByteArray& bytes, std::size_t file_size,
                                                  QString* error, bool all_frames) {
  if (const auto kind = ImageSignatureKind(AsBytes(bytes))) {
    return DecodeImages(*kind, bytes, file_size, error, all_frames);
  }
  if (const QString fault = ImageFileSizeFault(file_size); !fault.isEmpty()) {
    return Refuse<std::vector<QImage>>(error, fault);
  }
  const QString format = DetectedFormat(bytes);
  QString reason = QStringLiteral("Not a BMP, PNG, GIF or JPEG image");
  if (!format.isEmpty()) reason += QStringLiteral(" (%1)").arg(format);
  return Refuse<std::vector<QImage>>(error, reason);
}

std::optional<std::vector<RgbImage>> ToRgbImages(std::optional<std::vector<QImage>> images,
                                                 QString* error) {
  if (!images) return std::nullopt;
  std::vector<RgbImage> result;
  result.reserve(images->size());
  for (QImage& image : *images) {
    result.push_back(ToRgbImage(image));
    // The conversion gives nothing when it cannot allocate its copy.
    if (result.back().width == 0) {
      return Refuse<std::vector<RgbImage>>(
          error, QStringLiteral("Not enough memory to convert the image"));
    }
    image = QImage();  // one copy of each frame at a time
  }
  return result;
}

}  // namespace

std::optional<std::vector<RgbImage>> LoadImageFrames(const QByteArray& bytes, QString* error,
                                                     bool all_frames) {
  return ToRgbImages(
      DecodeAnyImage(bytes, static_cast<std::size_t>(bytes.size()), error, all_frames), error);
}

std::optional<std::vector<RgbImage>> LoadImageFrames(QIODevice& device, QString* error,
                                                     bool all_frames) {
  return LoadStart(ReadDevice(device, error), error, all_frames);
}

std::optional<std::vector<RgbImage>> LoadImageFrames(const QString& path, QString* error,
                                                     bool all_frames, QString* read_error) {
  return LoadStart(ReadPath(path, error, read_error), error, all_frames);
}

namespace {

std::optional<std::vector<RgbImage>> LoadStart(const std::optional<FileStart>& start,
                                               QString* error, bool all_frames) {
  if (!start) return std::nullopt;
  // Not copied: the kept part may be as large as its limit.
  const QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char*>(start->bytes.data()),
                              static_cast<qsizetype>(start->bytes.size()));
  return ToRgbImages(DecodeAnyImage(bytes, start->file_size, error, all_frames), error);
}

}  // namespace

QString ImageFileSizeFault(std::size_t size) {
  if (size <= static_cast<std::size_t>(MaxImageFileBytes)) return {};
  return QStringLiteral("File larger than %1 MiB").arg(MaxImageFileBytes >> 20);
}

RgbImage ToRgbImage(const QImage& image) {
  RgbImage result;
  if (image.isNull()) return result;
  const bool has_alpha = image.hasAlphaChannel();
  const QImage argb =
      image.convertToFormat(has_alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (argb.isNull()) return result;
  result.width = argb.width();
  result.height = argb.height();
  const auto width = static_cast<std::size_t>(result.width);
  // Sized once and filled by index: this runs over every pixel of the
  // largest image the loader accepts.
  result.pixels.resize(width * static_cast<std::size_t>(result.height));
  if (has_alpha) result.alpha.resize(result.pixels.size());
  for (int y = 0; y < argb.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    Rgb* out = result.pixels.data() + static_cast<std::size_t>(y) * width;
    for (std::size_t x = 0; x < width; ++x) {
      out[x] = {static_cast<std::uint8_t>(qRed(row[x])), static_cast<std::uint8_t>(qGreen(row[x])),
                static_cast<std::uint8_t>(qBlue(row[x]))};
    }
    if (has_alpha) {
      std::uint8_t* opacity = result.alpha.data() + static_cast<std::size_t>(y) * width;
      for (std::size_t x = 0; x < width; ++x)
        opacity[x] = static_cast<std::uint8_t>(qAlpha(row[x]));
    }
  }
  return result;
}

expected<std::vector<RgbImage>, Error> LoaderImageDecoder::Decode(
    std::optional<FileKind> kind, std::span<const std::uint8_t> bytes, std::uint64_t file_size,
    bool all_frames) const {
  // Not copied: the part given may be as large as its limit.
  const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<qsizetype>(bytes.size()));
  QString error;
  const auto size = static_cast<std::size_t>(file_size);
  auto frames = ToRgbImages(kind ? DecodeImages(*kind, data, size, &error, all_frames)
                                 : DecodeAnyImage(data, size, &error, all_frames),
                            &error);
  if (!frames) return unexpected(Error{error.toStdString()});
  return std::move(*frames);
}

}  // namespace pictavo
