// Feeds arbitrary bytes through the loader behind "Open BMP" and the import
// that follows it: whatever the loader accepts must hold every pixel it
// declares, convert into gray codes at every threshold and go into the
// Picture without leaving its storage.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include "core/imaging/bitmap_import.h"
#include "core/editing/editor.h"
#include "core/editing/image_import.h"
#include "core/model/picture.h"
#include "core/model/pixel_code.h"
#include "image_io/decoder_messages.h"
#include "image_io/image_data_check.h"
#include "image_io/image_loading.h"

namespace {

using namespace pictavo;

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "bitmap import invariant broken: %s\n", what);
    std::abort();
  }
}

// Rejected headers make the toolkit warn on every input; only a fatal
// message matters here.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", qPrintable(message));
    std::abort();
  }
}

// The conversion from the rules: (R + G + B) div 3, div the threshold, at most 3.
int ExpectedCode(Rgb color, int threshold) {
  const int gray = (color.r + color.g + color.b) / 3;
  return std::min(gray / threshold, 3);
}

void CheckGrid(const BitmapImport& import, const RgbImage& image, int threshold) {
  Require(import.ImportThreshold() == threshold, "threshold clamped to 1..200");
  for (int y = 1; y <= import.ImportHeight(); ++y) {
    for (int x = 1; x <= import.ImportWidth(); ++x) {
      const int code = ToInt(import.ImportGrid().At(x, y));
      Require(code >= 0 && code <= 3, "import grid code outside 0..3");
      Require(code == ExpectedCode(image.At(x - 1, y - 1), threshold),
              "import grid code differs from its pixel's brightness");
    }
  }
}

// Every frame is whole and within the limit.
void CheckFrames(const std::vector<RgbImage>& frames) {
  Require(!frames.empty(), "no frame in an accepted image");
  qint64 total = 0;
  for (const RgbImage& frame : frames) {
    Require(frame.width >= 1 && frame.height >= 1, "empty frame");
    const std::size_t count = static_cast<std::size_t>(frame.width) * frame.height;
    Require(frame.pixels.size() == count, "frame pixel count differs from its size");
    Require(frame.alpha.empty() || frame.alpha.size() == count, "alpha count differs");
    total += static_cast<qint64>(count);
    // The decoder makes every frame of an animation the whole screen.
    Require(frame.width == frames.front().width && frame.height == frames.front().height,
            "frames of different sizes");
  }
  Require(total <= MaxBmpPixels, "frames above the pixel limit");
  Require(frames.size() <= static_cast<std::size_t>(MaxImageFrames), "more frames than allowed");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Reading a BMP needs no window system; should anything ask for one, it
  // must not look for a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietMessages);
  DecoderMessages::KeepStandardError();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Not copied: the loader only reads.
  const QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QString error;
  std::optional<std::vector<RgbImage>> frames = LoadImageFrames(bytes, &error, true);
  if (!frames.has_value()) {
    Require(!error.isEmpty(), "refusal without a reason");
    return 0;
  }
  CheckFrames(*frames);
  // The first frame without its alpha channel, so that every pixel takes the
  // plain threshold rule CheckGrid states.
  RgbImage image = std::move(frames->front());
  frames.reset();
  image.alpha.clear();

  BitmapImport import;
  import.OpenImage(image);
  Require(import.HasImage() && import.CanAccept(), "an opened image can be accepted");
  Require(import.ImportWidth() == std::min(image.width, MaxPictureWidth) &&
              import.ImportHeight() == std::min(image.height, MaxPictureHeight),
          "import size differs from the image's top-left part");
  CheckGrid(import, image, BitmapImport::StartThreshold);

  // The ends of the scroll bar, then a position beyond it taken from the input.
  const int from_input = static_cast<int>(data[size - 1]) - 28;
  for (const int threshold : {1, 200, from_input}) {
    import.SetThreshold(threshold);
    CheckGrid(import, image, std::clamp(threshold, 1, 200));
  }
  import.ConvertImage();
  CheckGrid(import, image, import.ImportThreshold());

  // One editor for the whole run, as the window has: cells outside each
  // import keep what earlier inputs left.
  static const auto editor = std::make_unique<Editor>();
  const PictureCells before = editor->State().Document.Picture.Cells;
  AcceptImport(import, *editor);
  const Picture& picture = editor->State().Document.Picture;
  Require(picture.Width >= 1 && picture.Width <= MaxPictureWidth, "width outside 1..96");
  Require(picture.Height >= 1 && picture.Height <= MaxPictureHeight, "height outside 1..92");
  Require(picture.Width == import.ImportWidth() && picture.Height == import.ImportHeight(),
          "size not applied");
  for (int y = 1; y <= MaxPictureHeight; ++y) {
    for (int x = 1; x <= MaxPictureWidth; ++x) {
      const PixelCode cell = picture.Cells.At(x, y);
      Require(IsPixelCode(ToInt(cell)), "cell code outside 0..4");
      if (picture.Contains(x, y)) {
        Require(cell == import.ImportGrid().At(x, y), "cell differs from the import grid");
      } else {
        Require(cell == before.At(x, y), "cell outside the import changed");
      }
    }
  }
  return 0;
}
