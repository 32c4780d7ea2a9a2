// The image loader against the golden images: valid files of every BMP depth
// and of each other format load with every pixel, hostile ones are refused
// with their reason before any decoder fills an image from memory.

#include <sys/stat.h>

#include <cstdlib>
#include <map>
#include <string>

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include "hostile_images.h"
#include "image_io/image_loading.h"

namespace pictavo {
namespace {

QString DataPath(const QString& name) {
  return QFile::decodeName(qgetenv("PICTAVO_TEST_DATA")) + QLatin1Char('/') + name;
}

// The valid test images show the eight corners of the colour cube: pixel
// (x, y) has number x + 4 y, whose bits 0, 1, 2 turn red, green, blue full on.
Rgb Corner(int number) {
  const auto full = [&](int bit) -> std::uint8_t { return (number & bit) ? 255 : 0; };
  return {full(1), full(2), full(4)};
}

// `tolerance` allows for 5-bit channels, which the decoder may widen to
// 248 rather than 255.
void CompareCorners(const RgbImage& image, bool two_colours, int tolerance = 0) {
  QCOMPARE(image.width, 4);
  QCOMPARE(image.height, 2);
  QCOMPARE(image.pixels.size(), std::size_t{8});
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) {
      const Rgb expected = Corner(two_colours ? (x + y) % 2 * 7 : x + 4 * y);
      const Rgb got = image.At(x, y);
      const auto near = [&](int a, int b) { return std::abs(a - b) <= tolerance; };
      QVERIFY2(near(got.r, expected.r) && near(got.g, expected.g) && near(got.b, expected.b),
               qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
    }
  }
}

// A BMP header alone, declaring its size and depth, with 64 bytes where
// the pixel data would start.
QByteArray BmpHeader(qint32 width, qint32 height, qint16 bits) {
  QByteArray b(54, '\0');
  const auto put = [&b](int at, quint32 value, int count) {
    for (int i = 0; i < count; ++i) b[at + i] = char(value >> (8 * i) & 0xFF);
  };
  b[0] = 'B';
  b[1] = 'M';
  put(2, 54 + 64, 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, quint32(width), 4);
  put(22, quint32(height), 4);
  put(26, 1, 2);
  put(28, quint32(bits), 2);
  return b + QByteArray(64, '\x55');
}

}  // namespace

class ImageLoadingTest : public QObject {
  Q_OBJECT

 private slots:
  void validImagesGiveEveryPixel_data() {
    QTest::addColumn<QString>("file");
    for (const char* name :
         {"valid_1bit.bmp", "valid_4bit.bmp", "valid_8bit.bmp", "valid_8bit_rle.bmp",
          "valid_16bit.bmp", "valid_16bit_bitfields.bmp", "valid_24bit.bmp",
          "valid_24bit_topdown.bmp", "valid_32bit.bmp", "valid.png"}) {
      QTest::newRow(name) << QString::fromLatin1(name);
    }
  }
  void validImagesGiveEveryPixel() {
    QFETCH(QString, file);
    const QString path = DataPath(QStringLiteral("images/") + file);
    const bool two_colours = file.contains(QLatin1String("1bit"));
    const int tolerance = file.contains(QLatin1String("16bit")) ? 7 : 0;
    QString error;
    const auto frames = LoadImageFrames(path, &error, true);
    QVERIFY2(frames.has_value(), qPrintable(error));
    QCOMPARE(frames->size(), std::size_t{1});
    CompareCorners(frames->front(), two_colours, tolerance);
    QVERIFY(frames->front().alpha.empty());

    // The same bytes from a device.
    QFile device(path);
    const auto from_device = LoadImageFrames(device, &error);
    QVERIFY2(from_device.has_value(), qPrintable(error));
    CompareCorners(from_device->front(), two_colours, tolerance);
  }

  void alphaFramesAndLossyImages() {
    QString error;
    const auto alpha = LoadImageFrames(DataPath(QStringLiteral("images/valid_alpha.png")), &error);
    QVERIFY2(alpha.has_value(), qPrintable(error));
    const RgbImage& a = alpha->front();
    QCOMPARE(a.alpha.size(), a.pixels.size());
    QCOMPARE(int{a.alpha[0]}, 255);  // the one opaque blue pixel
    QVERIFY(a.pixels[0].b == 255 && a.pixels[0].r == 0);
    QVERIFY(a.alpha[1] > 100 && a.alpha[1] < 160);  // half-clear red elsewhere
    QCOMPARE(int{a.pixels[1].r}, 255);

    // Red, blue and white frames of 5 x 3; only the first unless all are asked for.
    const QString animated = DataPath(QStringLiteral("images/valid_animated.gif"));
    const auto frames = LoadImageFrames(animated, &error, true);
    QVERIFY2(frames.has_value(), qPrintable(error));
    QCOMPARE(frames->size(), std::size_t{3});
    const Rgb colours[] = {{255, 0, 0}, {0, 0, 255}, {255, 255, 255}};
    for (std::size_t i = 0; i < 3; ++i) {
      const RgbImage& frame = (*frames)[i];
      QCOMPARE(frame.width, 5);
      QCOMPARE(frame.height, 3);
      for (const Rgb& pixel : frame.pixels) {
        QVERIFY(pixel.r == colours[i].r && pixel.g == colours[i].g && pixel.b == colours[i].b);
      }
    }
    QCOMPARE(LoadImageFrames(animated, &error, false)->size(), std::size_t{1});

    // A white-to-black gradient: lossy, so only its ends are compared.
    const auto jpeg = LoadImageFrames(DataPath(QStringLiteral("images/valid.jpg")), &error);
    QVERIFY2(jpeg.has_value(), qPrintable(error));
    QCOMPARE(jpeg->front().width, 16);
    QVERIFY(jpeg->front().At(0, 0).g > 240 && jpeg->front().At(15, 15).g < 15);
  }

  void hostileFilesAreRefusedWithTheirReason_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("reason");
    const struct {
      const char* file;
      const char* reason;
    } cases[] = {
        {"offset_past_end.bmp",
         "The pixel data offset 1073741824 lies past the end of the file (70 bytes)"},
        {"offset_inside_header.bmp",
         "The pixel data offset 20 lies inside the headers, which end at byte 54"},
        {"rows_past_end.bmp",
         "The 16 rows of 12 bytes do not fit in the 24 bytes after the pixel data offset"},
        {"padded_rows_cut.bmp",
         "The 2 rows of 12 bytes do not fit in the 18 bytes after the pixel data offset"},
        {"palette_past_end.bmp", "The palette of 200 colours runs past the end of the file"},
        {"palette_count_above_depth.bmp",
         "The palette count 17 is above the 16 colours of 4 bits a pixel"},
        {"zero_width.bmp", "The width 0 is not a positive number of pixels"},
        {"negative_width.bmp", "The width -4 is not a positive number of pixels"},
        {"zero_height.bmp", "The height 0 is not a valid number of pixels"},
        {"zero_mask.bmp", "A bit-fields mask is zero"},
        {"two_planes.bmp", "The header gives 2 planes instead of 1"},
        {"depth_7.bmp", "The depth of 7 bits a pixel is not a BMP depth"},
        {"compression_jpeg.bmp", "Compression method 4 is not supported"},
        {"header_size_30.bmp", "The header size 30 is not one of a BMP image"},
        {"rle_short_row.bmp", "Row 1 of the compressed pixel data ends before its last pixel"},
        {"rle_jump.bmp", "The compressed pixel data jumps over pixels it leaves unset"},
        {"rle_cut_short.bmp", "The compressed pixel data ends before the last pixel"},
        {"png_cut_short.png",
         "The PNG chunk \"IDAT\" at byte 130 claims 25 bytes, past the end of the file (144 "
         "bytes)"},
        {"png_bad_checksum.png", "The PNG data is damaged or cut short (IDAT: invalid block type)"},
        {"gif_cut_short.gif", "The GIF data is cut short"},
        {"gif_data_ends_early.gif", "GIF image 1 ends after 1 of its 15 pixels"},
        {"jpeg_cut_short.jpg", "The JPEG data is cut short"},
        {"jpeg_damaged_scan.jpg",
         "The JPEG data is damaged (Corrupt JPEG data: premature end of data segment)"},
    };
    for (const auto& c : cases) {
      QTest::newRow(c.file) << QString::fromLatin1(c.file) << QString::fromLatin1(c.reason);
    }
  }
  void hostileFilesAreRefusedWithTheirReason() {
    QFETCH(QString, file);
    QFETCH(QString, reason);
    const QString path = DataPath(QStringLiteral("damaged/images/") + file);
    QString error;
    QVERIFY(!LoadImageFrames(path, &error, true).has_value());
    QCOMPARE(error, reason);
    // The first frame alone is refused for the same reason.
    error.clear();
    QVERIFY(!LoadImageFrames(path, &error).has_value());
    QCOMPARE(error, reason);
  }

  // Made by the generator, and BMP headers declaring sizes whose pixel data
  // is missing: each would cost a decoder seconds or gigabytes.
  void hostileImagesAreRefusedBeforeDecoding() {
    const std::map<std::string, QString> reasons = {
        {"gif_canvas_frames.gif",
         "Animation too large (500 frames of 4096 x 4096 pixels, 8388608000 pixels together; at "
         "most 16777216)"},
        {"gif_three_canvas_frames.gif",
         "Animation too large (3 frames of 4096 x 2048 pixels, 25165824 pixels together; at most "
         "16777216)"},
        {"gif_too_many_frames.gif", "The GIF holds more than 1000 images"},
        {"gif_frame_outside_screen.gif",
         "GIF image 1 (65535 x 65535 at 0, 0) lies outside the 16 x 16 screen"},
        {"gif_frame_past_corner.gif",
         "GIF image 1 (8 x 8 at 12, 12) lies outside the 16 x 16 screen"},
        {"gif_padded_data.gif", "GIF image 1 holds 4501 bytes of compressed data for its 1 pixels"},
        {"gif_long_comment.gif", "The GIF's extension blocks hold more than 4 MiB"},
        {"gif_strings_overrun.gif",
         "GIF image 1 decodes to 4504501 pixels, far more than the 1 of its rectangle"},
        {"png_chunk_claims_2gib.png",
         "The PNG chunk \"tEXt\" at byte 33 claims 2147483632 bytes, past the end of the file (137 "
         "bytes)"},
        {"png_chunk_length_above_limit.png",
         "The PNG chunk \"tEXt\" at byte 33 claims 4294967295 bytes, above the format's limit"},
        {"png_too_large.png", "Image too large (65535 x 65535 pixels)"},
        {"png_16_bits_too_large.png",
         "Image too large to decode (4096 x 4096 pixels of 16 bits a channel take 128 MiB; at most "
         "64 MiB)"},
        {"png_inflates_past_rows.png",
         "The PNG's pixel data inflates past the 67112960 bytes of its 4096 x 4096 pixels"},
        {"jpeg_scans_over_image.jpg",
         "The JPEG takes more than 16 scans over its 4096 x 4096 pixels"},
        {"jpeg_2000_scans.jpg", "The JPEG holds more than 100 scans"},
        {"jpeg_too_large.jpg", "Image too large (40000 x 40000 pixels)"},
    };
    const auto images = HostileImages();
    QCOMPARE(images.size(), reasons.size());
    for (const HostileImage& image : images) {
      QString error;
      QVERIFY2(!LoadImageFrames(image.bytes, &error, true).has_value(), image.name.c_str());
      QCOMPARE(error, reasons.at(image.name));
    }
    // 1 GiB and more as decoded, and a 1-bit image that grows to 122 MiB when
    // converted, are refused by their size; rows too long for the file, by
    // that first. A top-down image declares a negative height.
    const struct {
      qint32 width, height;
      qint16 bits;
      const char* reason;
    } headers[] = {
        {60000, 60000, 24,
         "The 60000 rows of 180000 bytes do not fit in the 64 bytes after the pixel data offset"},
        {16384, 16384, 24, "Image too large (16384 x 16384 pixels)"},
        {8000, 4000, 1, "Image too large (8000 x 4000 pixels)"},
        {4097, 4096, 24, "Image too large (4097 x 4096 pixels)"},
        {8000, -8000, 24, "Image too large (8000 x 8000 pixels)"},
    };
    for (const auto& h : headers) {
      QString error;
      QVERIFY2(!LoadImageFrames(BmpHeader(h.width, h.height, h.bits), &error, true).has_value(),
               h.reason);
      QCOMPARE(error, QString::fromLatin1(h.reason));
    }
  }

  // Every GIF frame is decoded as large as the screen, however small its
  // rectangle: two such frames fill the budget, a third is over it.
  void theBudgetCountsFramesAsDecoded() {
    QString error;
    const auto frames = LoadImageFrames(GifOfDots(4096, 2048, 2), &error, true);
    QVERIFY2(frames.has_value(), qPrintable(error));
    QCOMPARE(frames->size(), std::size_t{2});
    QCOMPARE(frames->back().width, 4096);
    QCOMPARE(frames->back().height, 2048);
    QVERIFY(LoadImageFrames(GifOfDots(4096, 2048, 1000), &error, false).has_value());
  }

  // Only the start of a long file is read: an image that ends within it
  // loads whatever follows, one that does not is refused, and the file limit
  // holds as before. Sparse files: the test writes no megabytes.
  void longFilesAreReadOnlyAsFarAsTheirImage() {
    QTemporaryDir dir;
    const QByteArray png = QByteArray::fromBase64(
        "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADElEQVR4nGP4z8AAAAMBAQDJ/"
        "pLvAAAAAElFTkSuQmCC");
    const auto load = [&](const QByteArray& start, qint64 size) {
      QFile file(dir.filePath(QStringLiteral("long.png")));
      if (!file.open(QIODevice::WriteOnly) || file.write(start) != start.size() ||
          !file.resize(size))
        return QStringLiteral("<not written>");
      file.close();
      QString error;
      const auto frames = LoadImageFrames(file.fileName(), &error, true);
      return frames
                 ? QStringLiteral("%1 x %2").arg(frames->front().width).arg(frames->front().height)
                 : error;
    };
    QCOMPARE(load(png, qint64{200} << 20), QStringLiteral("1 x 1"));
    QCOMPARE(load(png.left(40), qint64{200} << 20),
             QStringLiteral("The image does not end within the first 96 MiB of the file (209715200 "
                            "bytes)"));
    QCOMPARE(load(png, (qint64{256} << 20) + 1), QStringLiteral("File larger than 256 MiB"));
  }

  void otherFormatsAndSpecialFilesAreRefused() {
    QTemporaryDir dir;
    QString error;
    QVERIFY(!LoadImageFrames(QByteArray("P1 1 1 1"), &error).has_value());
    QCOMPARE(error, QStringLiteral("Not a BMP, PNG, GIF or JPEG image (pbm)"));
    QVERIFY(!LoadImageFrames(QByteArray("hello"), &error).has_value());
    QCOMPARE(error, QStringLiteral("Not a BMP, PNG, GIF or JPEG image"));
    // The name does not decide: a PPM image named .bmp is still a PPM image.
    QByteArray ppm;
    QBuffer buffer(&ppm);
    buffer.open(QIODevice::WriteOnly);
    QImage black(4, 4, QImage::Format_RGB32);
    black.fill(Qt::black);
    QVERIFY(black.save(&buffer, "PPM"));
    const QString named_bmp = dir.filePath(QStringLiteral("ppm.bmp"));
    QFile file(named_bmp);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(ppm) == ppm.size());
    file.close();
    QVERIFY(!LoadImageFrames(named_bmp, &error).has_value());
    QCOMPARE(error, QStringLiteral("Not a BMP, PNG, GIF or JPEG image (ppm)"));

    // A named pipe: opening it to read would wait for a writer forever.
    const QString pipe = dir.filePath(QStringLiteral("pipe.bmp"));
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QVERIFY(!LoadImageFrames(pipe, &error).has_value());
    QCOMPARE(error, QStringLiteral("Is a named pipe, not a regular file"));
  }
};

}  // namespace pictavo

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  pictavo::ImageLoadingTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "image_loading_test.moc"
