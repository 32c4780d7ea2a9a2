// Loads each image file named on the command line as "Open BMP" reads it,
// every frame, and prints what came of it. Every pixel of an accepted
// image is looked at, so a run under valgrind reports any pixel the decoder
// left unset: a pixel that did not come from the file.

#include <cstdio>
#include <cstdlib>

#include <QByteArray>
#include <QFile>
#include <QString>

#include "image_io/image_loading.h"

namespace {

using namespace pictavo;

// A sum that branches on every value, so an unset byte is reported where it
// is used rather than lost in arithmetic.
unsigned long Brightness(const RgbImage& image) {
  unsigned long bright = 0;
  for (const Rgb& pixel : image.pixels) {
    if (pixel.r + pixel.g + pixel.b > 3 * 127) ++bright;
  }
  for (const std::uint8_t opacity : image.alpha) {
    if (opacity > 127) ++bright;
  }
  return bright;
}

void QuietMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s IMAGE...\n", argv[0]);
    return 2;
  }
  qInstallMessageHandler(QuietMessages);
  for (int i = 1; i < argc; ++i) {
    const QString path = QFile::decodeName(argv[i]);
    QString error;
    const auto frames = LoadImageFrames(path, &error, true);
    if (!frames) {
      std::printf("%s: refused: %s\n", argv[i], qPrintable(error));
    } else {
      std::printf("%s: %zu frame(s) of %d x %d%s", argv[i], frames->size(), frames->front().width,
                  frames->front().height, frames->front().alpha.empty() ? "" : " with alpha");
      unsigned long bright = 0;
      for (const RgbImage& frame : *frames) bright += Brightness(frame);
      std::printf(", %lu bright\n", bright);
    }
  }
  return EXIT_SUCCESS;
}
