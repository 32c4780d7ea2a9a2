#include "hostile_images.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include <zlib.h>
#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QRandomGenerator>

namespace pictavo {

namespace {

void Add16(QByteArray& out, int value) {  // little-endian, as GIF stores it
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void Add32(QByteArray& out, std::uint32_t value) {  // big-endian, as PNG stores it
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

// ---- GIF --------------------------------------------------------------------

// Codes of the width the decoder expects at each point, least significant
// bit first, for an image of minimum code size 2.
class LzwWriter {
 public:
  void Code(int code) {
    bits_ |= static_cast<std::uint64_t>(code) << count_;
    count_ += size_;
    while (count_ >= 8) {
      data_ += static_cast<char>(bits_ & 0xFF);
      bits_ >>= 8;
      count_ -= 8;
    }
  }
  // The decoder adds a table entry for every code after the first.
  void Grow() {
    if (next_ < 4096) ++next_;
    if (next_ == (1 << size_) && size_ < 12) ++size_;
  }
  int Next() const { return next_; }
  // After a clear code: the table and the code width start again.
  static LzwWriter Restarted(LzwWriter&& written) {
    written.size_ = 3;
    written.next_ = 6;
    return std::move(written);
  }
  QByteArray Finish() {
    Code(5);  // the end code
    if (count_ > 0) data_ += static_cast<char>(bits_ & 0xFF);
    QByteArray blocks;
    blocks += '\x02';  // the minimum code size
    for (qsizetype at = 0; at < data_.size(); at += 255) {
      const QByteArray part = data_.mid(at, 255);
      blocks += static_cast<char>(part.size());
      blocks += part;
    }
    blocks += '\0';
    return blocks;
  }

 private:
  QByteArray data_;
  std::uint64_t bits_ = 0;
  int count_ = 0;
  int size_ = 3;
  int next_ = 6;
};

QByteArray GifHeader(int width, int height) {
  QByteArray out("GIF89a");
  Add16(out, width);
  Add16(out, height);
  out += QByteArray("\x80\x00\x00", 3);              // a global table of two colours
  out += QByteArray("\x00\x00\x00\xFF\xFF\xFF", 6);  // black, white
  return out;
}

QByteArray GifImage(int left, int top, int width, int height, const QByteArray& lzw) {
  QByteArray out(1, '\x2C');
  Add16(out, left);
  Add16(out, top);
  Add16(out, width);
  Add16(out, height);
  out += '\0';
  return out + lzw;
}

// One pixel: clear, black, end.
QByteArray OnePixel() {
  LzwWriter lzw;
  lzw.Code(4);
  lzw.Code(0);
  return lzw.Finish();
}

// Clear codes, which stand for no pixel, then the one pixel.
QByteArray PaddedPixel(int clears) {
  LzwWriter lzw;
  for (int i = 0; i < clears; ++i) lzw.Code(4);
  lzw.Code(0);
  return lzw.Finish();
}

QByteArray GifComment(int bytes) {
  QByteArray out("\x21\xFE", 2);
  for (; bytes > 0; bytes -= 255) {
    const int part = std::min(bytes, 255);
    out += static_cast<char>(part);
    out += QByteArray(part, 'c');
  }
  return out + '\0';
}

// One literal code a pixel, black and white in turn, a clear code whenever
// the table fills: the most data a frame of `pixels` may hold.
QByteArray LiteralPixels(qint64 pixels) {
  LzwWriter lzw;
  lzw.Code(4);
  int since_clear = 0;
  for (qint64 i = 0; i < pixels; ++i) {
    if (lzw.Next() == 4096) {
      lzw.Code(4);
      lzw = LzwWriter::Restarted(std::move(lzw));
      since_clear = 0;
    }
    lzw.Code(static_cast<int>(i & 1));
    if (since_clear++ > 0) lzw.Grow();
  }
  return lzw.Finish();
}

// Each code names the string before it and one pixel more, so `codes` codes
// stand for about codes^2 / 2 pixels; once the table is full the longest
// string is repeated, 4094 pixels per 12 bits.
QByteArray GrowingStrings(int codes) {
  LzwWriter lzw;
  lzw.Code(4);
  lzw.Code(0);
  for (int i = 0; i < codes; ++i) {
    const int code = lzw.Next() < 4096 ? lzw.Next() : 4095;
    lzw.Code(code);
    lzw.Grow();
  }
  return lzw.Finish();
}

// ---- PNG --------------------------------------------------------------------

std::uint32_t Crc32(const QByteArray& bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (const char byte : bytes) c = table[(c ^ static_cast<std::uint8_t>(byte)) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

QByteArray PngChunk(const char* type, const QByteArray& data) {
  QByteArray out;
  Add32(out, static_cast<std::uint32_t>(data.size()));
  const QByteArray typed = QByteArray(type, 4) + data;
  out += typed;
  Add32(out, Crc32(typed));
  return out;
}

QByteArray PngStart(std::uint32_t width, std::uint32_t height, char depth = 8, char colour = 2) {
  QByteArray header;
  Add32(header, width);
  Add32(header, height);
  header += depth;
  header += colour;
  header += QByteArray(3, '\0');  // compression, filter, interlace
  return QByteArray("\x89PNG\r\n\x1A\n", 8) + PngChunk("IHDR", header);
}

// A chunk header whose length the file does not hold, and a little data.
QByteArray PngClaiming(std::uint32_t length) {
  QByteArray out = PngStart(1, 1);
  Add32(out, length);
  out += "tEXt";
  out += QByteArray(96, 'x');
  return out;
}

// A zlib stream of `mebibytes` MiB of zeros in about a kilobyte each: one
// mebibyte compressed as far as deflate goes and flushed so that it stands
// on its own, repeated, then an empty last block and the checksum.
QByteArray InflatingZeros(int mebibytes) {
  constexpr uLong Part = 1 << 20;
  std::vector<Bytef> zeros(Part, 0);
  std::vector<Bytef> out(compressBound(Part));
  z_stream stream{};
  deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
  stream.next_in = zeros.data();
  stream.avail_in = static_cast<uInt>(Part);
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FULL_FLUSH);
  const QByteArray part(reinterpret_cast<const char*>(out.data()),
                        static_cast<qsizetype>(stream.total_out));
  deflateEnd(&stream);
  QByteArray data("\x78\xDA", 2);  // deflate, 32 KiB window, best compression
  for (int i = 0; i < mebibytes; ++i) data += part;
  data += QByteArray("\x03\x00", 2);  // the last block: fixed codes, its end at once
  // Adler-32 of zeros: the first sum stays 1, the second counts the bytes.
  const auto length = static_cast<std::uint64_t>(mebibytes) * Part;
  Add32(data, static_cast<std::uint32_t>(length % 65521) << 16 | 1);
  return data;
}

// ---- JPEG -------------------------------------------------------------------

QImage Noise(int width, int height, QImage::Format format) {
  QImage image(width, height, format);
  if (image.isNull()) return image;
  auto* random = QRandomGenerator::global();
  for (int y = 0; y < height; ++y) {
    random->fillRange(reinterpret_cast<quint32*>(image.scanLine(y)),
                      image.bytesPerLine() / qsizetype{sizeof(quint32)});
  }
  return image;
}

QByteArray Encoded(const QImage& image, const char* format, bool progressive = false) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setProgressiveScanWrite(progressive);
  writer.write(image);
  return bytes;
}

// A progressive JPEG whose scans are given again and again up to `scans`;
// its header may claim another size.
QByteArray RepeatedScans(const QImage& image, int scans, int claimed_size = 0) {
  QByteArray jpeg = Encoded(image, "jpeg", true);
  if (claimed_size > 0) {
    const qsizetype frame = jpeg.indexOf("\xFF\xC2");
    QByteArray size;
    for (int i = 0; i < 2; ++i) {
      size += static_cast<char>(claimed_size >> 8);
      size += static_cast<char>(claimed_size & 0xFF);
    }
    jpeg.replace(frame + 5, 4, size);
  }
  const qsizetype first = jpeg.indexOf("\xFF\xDA");
  const qsizetype end = jpeg.lastIndexOf("\xFF\xD9");
  const QByteArray all = jpeg.mid(first, end - first);
  const int per_copy = static_cast<int>(all.count("\xFF\xDA"));
  QByteArray out = jpeg.left(first);
  for (int done = 0; done + per_copy <= scans; done += per_copy) out += all;
  return out + QByteArray("\xFF\xD9", 2);
}

}  // namespace

QByteArray GifOfDots(int width, int height, int frames) {
  QByteArray out = GifHeader(width, height);
  const QByteArray dot = GifImage(0, 0, 1, 1, OnePixel());
  for (int i = 0; i < frames; ++i) out += dot;
  return out + ';';
}

std::vector<HostileImage> HostileImages() {
  const QByteArray trailer(1, ';');
  QByteArray too_large_jpeg = Encoded(Noise(8, 8, QImage::Format_RGB32), "jpeg");
  const qsizetype frame = too_large_jpeg.indexOf("\xFF\xC0");
  too_large_jpeg.replace(frame + 5, 4, QByteArray("\x9C\x40\x9C\x40", 4));  // 40000 x 40000
  return {
      {"gif_canvas_frames.gif", GifOfDots(4096, 4096, 500)},
      {"gif_three_canvas_frames.gif", GifOfDots(4096, 2048, 3)},
      {"gif_too_many_frames.gif", GifOfDots(1, 1, 1001)},
      {"gif_frame_outside_screen.gif",
       GifHeader(16, 16) + GifImage(0, 0, 65535, 65535, OnePixel()) + trailer},
      {"gif_frame_past_corner.gif",
       GifHeader(16, 16) + GifImage(12, 12, 8, 8, OnePixel()) + trailer},
      {"gif_padded_data.gif", GifHeader(1, 1) + GifImage(0, 0, 1, 1, PaddedPixel(12000)) + trailer},
      {"gif_long_comment.gif",
       GifHeader(1, 1) + GifComment((4 << 20) + 1) + GifImage(0, 0, 1, 1, OnePixel()) + trailer},
      {"gif_strings_overrun.gif",
       GifHeader(16, 16) + GifImage(0, 0, 1, 1, GrowingStrings(3000)) + trailer},
      {"png_chunk_claims_2gib.png", PngClaiming(0x7FFFFFF0)},
      {"png_chunk_length_above_limit.png", PngClaiming(0xFFFFFFFF)},
      {"png_16_bits_too_large.png", PngStart(4096, 4096, 16, 6) + PngChunk("IEND", {})},
      {"png_too_large.png",
       PngStart(65535, 65535) + PngChunk("IDAT", QByteArray(8, '\0')) + PngChunk("IEND", {})},
      {"png_inflates_past_rows.png",
       PngStart(4096, 4096, 8, 6) + PngChunk("IDAT", InflatingZeros(1024)) + PngChunk("IEND", {})},
      {"jpeg_2000_scans.jpg", RepeatedScans(Noise(8, 8, QImage::Format_RGB32), 2000)},
      {"jpeg_too_large.jpg", too_large_jpeg},
      {"jpeg_scans_over_image.jpg", RepeatedScans(Noise(8, 8, QImage::Format_RGB32), 20, 4096)},
  };
}

std::vector<HostileImage> LargestAcceptedImages() {
  const QImage noise = Noise(4096, 4096, QImage::Format_ARGB32);
  QImage deep = noise.convertToFormat(QImage::Format_RGBA64);
  QByteArray padded = Encoded(noise, "png");
  // Filled to the file limit with private chunks the decoder must step over.
  const QByteArray filler = PngChunk("prIv", QByteArray((1 << 20) - 12, '\0'));
  const qsizetype end = padded.lastIndexOf("IEND") - 4;
  QByteArray fill;
  while (padded.size() + fill.size() + filler.size() <= (qsizetype{256} << 20)) fill += filler;
  padded.insert(end, fill);
  return {
      {"largest_rgba.png", Encoded(noise, "png")},
      {"largest_rgba64.png", Encoded(deep, "png")},
      {"largest_padded_to_file_limit.png", padded},
      {"largest_rgb.bmp", Encoded(noise, "bmp")},
      {"largest_progressive.jpg",
       Encoded(noise.convertToFormat(QImage::Format_RGB32), "jpeg", true)},
      {"largest_100_scans.jpg", RepeatedScans(noise.convertToFormat(QImage::Format_RGB32), 100)},
      {"largest_literal_frame.gif",
       GifHeader(4096, 4096) + GifImage(0, 0, 4096, 4096, LiteralPixels(qint64{4096} * 4096)) +
           QByteArray(1, ';')},
      {"largest_two_frames.gif", GifOfDots(4096, 2048, 2)},
      {"largest_strings_overrun.gif", GifHeader(4096, 4096) +
                                          GifImage(0, 0, 4096, 4096, GrowingStrings(700000)) +
                                          QByteArray(1, ';')},
  };
}

}  // namespace pictavo
