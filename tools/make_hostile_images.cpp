// Writes the hostile image files into a folder, and with --largest also the
// largest valid ones, for the fuzzer's seeds, valgrind and the benchmark.
//   pictavo_make_hostile_images [--largest] FOLDER

#include <cstdio>
#include <cstdlib>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "hostile_images.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList arguments = app.arguments().mid(1);
  const bool largest = arguments.removeAll(QStringLiteral("--largest")) > 0;
  if (arguments.size() != 1) {
    std::fprintf(stderr, "usage: pictavo_make_hostile_images [--largest] FOLDER\n");
    return 2;
  }
  const QDir folder(arguments.front());
  if (!folder.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "%s: cannot make the folder\n", qPrintable(arguments.front()));
    return 1;
  }
  auto images = pictavo::HostileImages();
  if (largest) {
    for (auto& image : pictavo::LargestAcceptedImages()) images.push_back(std::move(image));
  }
  for (const auto& image : images) {
    QFile file(folder.filePath(QString::fromStdString(image.name)));
    if (!file.open(QIODevice::WriteOnly) || file.write(image.bytes) != image.bytes.size()) {
      std::fprintf(stderr, "%s: %s\n", qPrintable(file.fileName()), qPrintable(file.errorString()));
      return 1;
    }
  }
  return 0;
}
