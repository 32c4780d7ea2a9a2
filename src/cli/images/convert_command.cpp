// pictavo-cli convert: an image made into a picture file the way "Open BMP
// file...", OK and "Save Picture..." make it.
#include <cstdint>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>

#include "cli/cli_support.h"
#include "cli/images/image_commands.h"
#include "core/editing/bitmap_import.h"
#include "core/formats/picture_file.h"
#include "ui/image_io/image_loading.h"

namespace pictavo::cli {

namespace {

const QString kCommand = QStringLiteral("convert");

// The loader reads no larger file either.
constexpr std::size_t kMaxImageFileBytes = static_cast<std::size_t>(MaxImageFileBytes);

// Everything that decides the picture. A new option is one field here, one
// entry in ConvertOptionSet, a line in ReadConvertOptions and its use in
// ConvertedPicture.
struct ConvertOptions {
  QString image;
  QString output;
  int threshold = BitmapImport::StartThreshold;
  QByteArray name;  // Latin-1; empty, as a fresh window's name box
};

struct ConvertOptionSet {
  QCommandLineOption output{QStringList{QStringLiteral("o"), QStringLiteral("output")},
                            QStringLiteral("The picture file to write (- for standard output)."),
                            QStringLiteral("file")};
  QCommandLineOption threshold{
      QStringLiteral("threshold"),
      QStringLiteral("Divisor of each pixel's brightness, 1 to 200 (default 64), as the "
                     "import window's scroll bar."),
      QStringLiteral("1..200")};
  QCommandLineOption name{QStringLiteral("name"),
                          QStringLiteral("The picture's name: printable Latin-1, at most 16 "
                                         "characters (default: none)."),
                          QStringLiteral("name")};

  void AddTo(QCommandLineParser& parser) const { parser.addOptions({output, threshold, name}); }
};

// The options as given, or the usage error to report.
expected<ConvertOptions, QString> ReadConvertOptions(const QCommandLineParser& parser,
                                                     const ConvertOptionSet& set) {
  ConvertOptions options;
  const QStringList inputs = parser.positionalArguments();
  if (inputs.size() != 1) return unexpected(QStringLiteral("give exactly one image"));
  options.image = inputs.front();
  if (!parser.isSet(set.output)) return unexpected(QStringLiteral("-o PICTURE.ptv is required"));
  options.output = parser.value(set.output);
  if (parser.isSet(set.threshold)) {
    bool number = false;
    options.threshold = parser.value(set.threshold).toInt(&number);
    if (!number || options.threshold < BitmapImport::MinThreshold ||
        options.threshold > BitmapImport::MaxThreshold) {
      return unexpected(QStringLiteral("the threshold must be a whole number from 1 to 200, "
                                       "not \"%1\"")
                            .arg(parser.value(set.threshold)));
    }
  }
  if (parser.isSet(set.name)) {
    const std::optional<QByteArray> name = PictureNameArgument(parser.value(set.name));
    if (!name) {
      return unexpected(
          QStringLiteral("the name must be at most 16 printable Latin-1 "
                         "characters"));
    }
    options.name = *name;
  }
  return options;
}

// The import window's steps: open the image (with its frames, as the window
// keeps them), set the threshold, accept, save.
std::vector<std::uint8_t> ConvertedPicture(const ConvertOptions& options,
                                           std::vector<RgbImage> frames) {
  BitmapImport import;
  import.OpenFrames(std::move(frames));
  import.SetThreshold(options.threshold);
  const CodeGridView picture(import.ImportGrid(), import.ImportWidth(), import.ImportHeight());
  return WritePictureFile(
      picture, {options.name.constData(), static_cast<std::size_t>(options.name.size())});
}

}  // namespace

int RunConvertCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  const ConvertOptionSet set;
  set.AddTo(parser);
  parser.addPositionalArgument(QStringLiteral("image"),
                               QStringLiteral("A BMP, PNG, GIF or JPEG image."),
                               QStringLiteral("IMAGE"));
  if (auto done = ParseCommandLine(
          parser, arguments, kCommand,
          QStringLiteral("pictavo-cli convert IMAGE -o PICTURE.ptv [--threshold 1..200] "
                         "[--name NAME]"),
          QStringLiteral("Makes a picture file of an image's top-left 96 x 92 pixels, as the "
                         "import window does; clear pixels of an image with an alpha channel "
                         "become Transparent, as its \"Keep transparency\" starts.")))
    return *done;
  const auto options = ReadConvertOptions(parser, set);
  if (!options) return UsageError(kCommand, options.error());

  const auto bytes = ReadInput(options->image, kMaxImageFileBytes);
  if (!bytes) return Refuse(options->image, "could not be read: " + bytes.error().message);
  QString error;
  // Every frame, as "Open BMP" reads them.
  std::optional<std::vector<RgbImage>> frames =
      LoadImageFrames(QByteArray(reinterpret_cast<const char*>(bytes->data()),
                                 static_cast<qsizetype>(bytes->size())),
                      &error, true);
  if (frames && frames->empty()) error = QStringLiteral("The file holds no image");
  if (!frames || frames->empty()) {
    return Refuse(options->image, QStringLiteral("cannot be opened as an image: %1").arg(error));
  }
  OutputTarget output;
  if (options->output != QLatin1String("-")) {
    output = {OutputTarget::Kind::Replace, options->output};
  }
  return WriteOutput(output, ConvertedPicture(*options, std::move(*frames))) ? ExitOk : ExitRefused;
}

}  // namespace pictavo::cli

int PictavoCliConvert(const QStringList& arguments) {
  return pictavo::cli::RunConvertCommand(arguments);
}
