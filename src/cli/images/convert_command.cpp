// pictavo-cli convert: an image made into a picture the way "Open BMP
// file..." and OK make it, or a text read back, written as a picture file or
// in any export format in one step.
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>

#include "cli/cli_support.h"
#include "cli/document_input.h"
#include "cli/images/convert_frames.h"
#include "cli/images/convert_output.h"
#include "cli/images/convert_text.h"
#include "cli/images/image_commands.h"
#include "core/formats/icon_id.h"
#include "core/imaging/bitmap_import.h"
#include "image_io/image_loading.h"

namespace pictavo::cli {

namespace {

const QString kCommand = QStringLiteral("convert");

// Everything that decides the picture. A new option is one field here, one
// entry in ConvertOptionSet, a line in ReadConvertOptions and its use in
// ConvertedPicture.
struct ConvertOptions {
  QString image;
  QString output;
  int threshold = BitmapImport::StartThreshold;
  bool auto_threshold = false;  // --threshold auto, as the window's "Auto"
  GrayLevels levels = ShownGrays;
  bool fill = false;
  std::optional<ImagePart> region;  // left and top only
  QByteArray name;                  // Latin-1; empty, as a fresh window's name box
  DitherMethod dither = DitherMethod::None;
  bool fit = false;
  std::optional<bool> keep_transparency;  // unset: on exactly for an alpha channel
  // --frames: the frames into an icon of a skin instead of a picture.
  bool frames = false;
  QString skin;
  int icon_id = 0;
};

struct ConvertOptionSet {
  QCommandLineOption output{QStringList{QStringLiteral("o"), QStringLiteral("output")},
                            QStringLiteral("The file to write (- for standard output); its suffix "
                                           "names the format unless --format does."),
                            QStringLiteral("file")};
  QCommandLineOption threshold{
      QStringLiteral("threshold"),
      QStringLiteral("Divisor of each pixel's brightness, 1 to 200 (default 64), as the "
                     "import window's scroll bar; auto chooses the one whose mean brightness "
                     "comes nearest the image's, as its \"Auto\"."),
      QStringLiteral("1..200|auto")};
  QCommandLineOption levels{
      QStringLiteral("levels"),
      QStringLiteral("The grays the dithering aims at for the four codes, rising (default "
                     "0,128,192,255, the colours the editor shows)."),
      QStringLiteral("g0,g1,g2,g3")};
  QCommandLineOption region{
      QStringLiteral("region"),
      QStringLiteral("The top-left corner of the part of a larger image taken, cut or filled "
                     "(default 0,0 cut, the middle filled)."),
      QStringLiteral("x,y")};
  QCommandLineOption fill{
      QStringLiteral("fill"),
      QStringLiteral("With --fit (implied): crop the image to the picture's proportions and "
                     "scale that part down, so the picture is covered.")};
  QCommandLineOption name{QStringLiteral("name"),
                          QStringLiteral("The picture's name: printable Latin-1, at most 16 "
                                         "characters (default: none)."),
                          QStringLiteral("name")};

  QCommandLineOption dither{
      QStringLiteral("dither"),
      QStringLiteral("How grays between the four codes are shown: none (default), "
                     "floyd-steinberg, atkinson, bayer4 or bayer8."),
      QStringLiteral("method")};
  QCommandLineOption fit{QStringLiteral("fit"),
                         QStringLiteral("Scale a larger image down to fit 96 x 92 whole, keeping "
                                        "its proportions, instead of taking its top-left part.")};
  QCommandLineOption keep_transparency{
      QStringLiteral("keep-transparency"),
      QStringLiteral("Clear pixels become Transparent (the default for an image with an alpha "
                     "channel).")};
  QCommandLineOption no_keep_transparency{
      QStringLiteral("no-keep-transparency"),
      QStringLiteral("Lay an image with an alpha channel over white instead.")};
  QCommandLineOption frames{
      QStringLiteral("frames"),
      QStringLiteral("Make every frame of the image one sub-icon of the icon given by --icon in "
                     "the skin given by --skin, at its size and depth; -o names the skin file "
                     "written.")};
  QCommandLineOption skin{QStringLiteral("skin"),
                          QStringLiteral("With --frames: the skin file holding the icon."),
                          QStringLiteral("file")};
  QCommandLineOption icon{QStringLiteral("icon"),
                          QStringLiteral("With --frames: the icon's ID, as 0x0A or 10."),
                          QStringLiteral("id")};

  void AddTo(QCommandLineParser& parser) const {
    parser.addOptions({output, threshold, levels, region, fill, name, dither, fit,
                       keep_transparency, no_keep_transparency, frames, skin, icon});
  }
};

// The options as given, or the usage error to report.
expected<ConvertOptions, QString> ReadConvertOptions(const QCommandLineParser& parser,
                                                     const ConvertOptionSet& set) {
  ConvertOptions options;
  const QStringList inputs = parser.positionalArguments();
  if (inputs.size() != 1) return unexpected(QStringLiteral("give exactly one image"));
  options.image = inputs.front();
  if (!parser.isSet(set.output)) return unexpected(QStringLiteral("-o OUT is required"));
  options.output = parser.value(set.output);
  options.auto_threshold = parser.value(set.threshold) == QLatin1String("auto");
  if (parser.isSet(set.threshold) && !options.auto_threshold) {
    bool number = false;
    options.threshold = parser.value(set.threshold).toInt(&number);
    if (!number || options.threshold < BitmapImport::MinThreshold ||
        options.threshold > BitmapImport::MaxThreshold) {
      return unexpected(QStringLiteral("the threshold must be a whole number from 1 to 200 "
                                       "or auto, not \"%1\"")
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
  if (parser.isSet(set.dither)) {
    const std::optional<DitherMethod> method =
        DitherFromName(parser.value(set.dither).toStdString());
    if (!method) {
      return unexpected(QStringLiteral("the dithering must be none, floyd-steinberg, atkinson, "
                                       "bayer4 or bayer8, not \"%1\"")
                            .arg(parser.value(set.dither)));
    }
    options.dither = *method;
  }
  options.fill = parser.isSet(set.fill);
  options.fit = parser.isSet(set.fit) || options.fill;
  if (parser.isSet(set.levels)) {
    const std::optional<GrayLevels> levels =
        ParseGrayLevels(parser.value(set.levels).toStdString());
    if (!levels) {
      return unexpected(QStringLiteral("the levels must be four rising whole numbers from 0 to "
                                       "255, as 0,85,170,255, not \"%1\"")
                            .arg(parser.value(set.levels)));
    }
    options.levels = *levels;
  }
  if (parser.isSet(set.region)) {
    const QStringList corner = parser.value(set.region).split(QLatin1Char(','));
    bool x_ok = false;
    bool y_ok = false;
    const int x = corner.value(0).toInt(&x_ok);
    const int y = corner.value(1).toInt(&y_ok);
    if (corner.size() != 2 || !x_ok || !y_ok || x < 0 || y < 0) {
      return unexpected(QStringLiteral("the region must be two whole numbers X,Y from 0, as "
                                       "10,20, not \"%1\"")
                            .arg(parser.value(set.region)));
    }
    if (options.fit && !options.fill) {
      return unexpected(
          QStringLiteral("--region chooses a cut or filled part; --fit alone "
                         "takes the whole image"));
    }
    options.region = ImagePart{x, y, 0, 0};
  }
  if (parser.isSet(set.keep_transparency) && parser.isSet(set.no_keep_transparency)) {
    return unexpected(
        QStringLiteral("give --keep-transparency or --no-keep-transparency, not both"));
  }
  if (parser.isSet(set.keep_transparency)) options.keep_transparency = true;
  if (parser.isSet(set.no_keep_transparency)) options.keep_transparency = false;
  options.frames = parser.isSet(set.frames);
  for (const char* text_option : {"format", "symbol", "depth", "align", "bit-order", "layout"}) {
    if (options.frames && parser.isSet(QLatin1String(text_option))) {
      return unexpected(QStringLiteral("--%1 is not for --frames, which writes a skin file")
                            .arg(QLatin1String(text_option)));
    }
  }
  if (options.frames != (parser.isSet(set.skin) && parser.isSet(set.icon)) ||
      (!options.frames && (parser.isSet(set.skin) || parser.isSet(set.icon)))) {
    return unexpected(QStringLiteral("--frames goes with --skin SKIN.skin and --icon ID"));
  }
  if (options.frames) {
    options.skin = parser.value(set.skin);
    const std::optional<int> id = ParseStreamIconId(parser.value(set.icon).toStdString());
    if (!id) {
      return unexpected(QStringLiteral("the icon ID must be 0 to 254, as 0x0A or 10, not \"%1\"")
                            .arg(parser.value(set.icon)));
    }
    options.icon_id = *id;
  }
  return options;
}

// The import window's state after its file is opened and its controls set.
void ApplyChoices(const ConvertOptions& options, BitmapImport& import) {
  import.SetThreshold(options.threshold);
  import.SetDither(options.dither);
  import.SetLevels(options.levels);
  import.SetFitToPicture(options.fit);
  import.SetFill(options.fill);
  if (options.keep_transparency) import.SetKeepTransparency(*options.keep_transparency);
  if (options.region) import.SetRegion(options.region->left, options.region->top);
  // Last, as the window's "Auto" works on what the other choices make.
  if (options.auto_threshold) import.ChooseAutoThreshold();
}

// Why the --region corner leaves the image, or nothing when it does not.
std::optional<QString> RegionOutside(const ConvertOptions& options, const RgbImage& image) {
  if (!options.region) return std::nullopt;
  BitmapImport import;
  import.OpenImage(image);
  import.SetFitToPicture(options.fit);
  import.SetFill(options.fill);
  const ImagePart part = import.PartTaken();
  const int most_x = image.width - part.width;
  const int most_y = image.height - part.height;
  if (options.region->left <= most_x && options.region->top <= most_y) return std::nullopt;
  return QStringLiteral("the region %1,%2 leaves the image: its %3 x %4 part fits at most at %5,%6")
      .arg(options.region->left)
      .arg(options.region->top)
      .arg(part.width)
      .arg(part.height)
      .arg(most_x)
      .arg(most_y);
}

}  // namespace

int RunConvertCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  const ConvertOptionSet set;
  set.AddTo(parser);
  const SourceTextOptionSet text_set;
  text_set.AddTo(parser);
  const ConvertOutputSet output_set;
  output_set.AddTo(parser);
  parser.addPositionalArgument(QStringLiteral("image"),
                               QStringLiteral("A BMP, PNG, GIF or JPEG image, or a source text: "
                                              "one the program wrote, or another tool's array; "
                                              "or a skin table skin export wrote; - reads "
                                              "standard input."),
                               QStringLiteral("IMAGE"));
  if (auto done = ParseCommandLine(
          parser, arguments, kCommand,
          QStringLiteral("pictavo-cli convert IMAGE -o OUT [--format FORMAT] [--threshold "
                         "1..200|auto] [--name NAME] [--dither METHOD] [--levels G0,G1,G2,G3] "
                         "[--fit [--fill]] [--region X,Y] [--[no-]keep-transparency] [--depth "
                         "1|2|4|8] [--align] [--bit-order lsb|msb] [--layout rows|pages] "
                         "[--symbol NAME]\n"
                         "       pictavo-cli convert SOURCE-TEXT -o OUT [--format FORMAT] [--name "
                         "NAME] ") +
              SourceTextOptionSet::Synopsis() +
              QStringLiteral(" [--symbol NAME]\n"
                             "       pictavo-cli convert IMAGE --frames --skin SKIN.skin --icon ID "
                             "-o OUT.skin [same options]\n"
                             "       pictavo-cli convert SKIN-TABLE -o OUT.skin [--name NAME]"),
          QStringLiteral("Makes a picture of at most 96 x 92 pixels of an image (its "
                         "top-left part unless --region, --fit or --fill says otherwise), as the "
                         "import window does; clear pixels of an image with an alpha channel "
                         "become Transparent, as its \"Keep transparency\" starts. Or reads a "
                         "text back. Writes it as a picture file, or in the format --format or "
                         "OUT's suffix names (.h a C header, .s a GNU as source, .xbm, .ptv). For "
                         "an image, --depth, --align, --bit-order and --layout say how the text "
                         "written is packed, as for export; for a text, how it is read. A skin "
                         "table (skin export's c, gas, skin-bytes-c, skin-bytes-gas) is written "
                         "back as the skin file it was made of.")))
    return *done;
  const auto options = ReadConvertOptions(parser, set);
  if (!options) return UsageError(kCommand, options.error());
  const auto text_options = text_set.Read(parser);
  if (!text_options) return UsageError(kCommand, text_options.error());

  // A text the program wrote comes back as the picture it holds; an image is
  // read with every frame, as "Open BMP" reads it, with the same limits.
  const LoaderImageDecoder decoder;
  ReadHints hints = Taking(options->frames ? Images : SourceTexts | SkinTables | Images, &decoder);
  hints.text = *text_options;
  std::optional<Document> document = LoadDocument(options->image, hints);
  if (!document) return ExitRefused;
  // A skin table comes back as its skin.
  if (auto* skin = std::get_if<SkinDocument>(&document->content)) {
    return WriteSkinBack(parser, output_set, *text_options, std::move(*skin), options->name,
                         options->image, options->output);
  }
  // What the options mean depends on what was read.
  expected<ConvertOutput, QString> output = ConvertOutput{};
  if (!options->frames) {
    output = ReadConvertOutput(parser, output_set, options->output,
                               !std::holds_alternative<ImageDocument>(document->content),
                               text_options->depth);
    if (!output) return UsageError(kCommand, output.error());
  }
  if (auto* text = std::get_if<PictureDocument>(&document->content)) {
    const auto picture = ConvertedText(options->image, std::move(*text), options->name);
    if (!picture) return ExitRefused;
    return WriteConverted(*output, ViewOf(picture->picture), picture->name, options->image,
                          options->output);
  }
  std::vector<RgbImage>& frames = std::get<ImageDocument>(document->content).frames;
  if (const std::optional<QString> outside = RegionOutside(*options, frames.front())) {
    return Refuse(options->image, *outside);
  }
  if (options->frames) {
    BitmapImport import;
    import.OpenFrames(std::move(frames));
    ApplyChoices(*options, import);
    return WriteFramesIntoSkin(import, options->image, options->skin, options->icon_id,
                               options->output);
  }
  // The import window's steps: open the image (with its frames, as the
  // window keeps them), set the threshold, accept.
  BitmapImport import;
  import.OpenFrames(std::move(frames));
  ApplyChoices(*options, import);
  const CodeGridView picture(import.ImportGrid(), import.ImportWidth(), import.ImportHeight());
  return WriteConverted(*output, picture, AsView(options->name), options->image, options->output);
}

}  // namespace pictavo::cli

int PictavoCliConvert(const QStringList& arguments) {
  return pictavo::cli::RunConvertCommand(arguments);
}
