// pictavo-cli skin export: a whole skin as a C header or GNU as source that
// compiles in as it is, or the skin file's own bytes as an array.
#include <QCommandLineOption>
#include <QCommandLineParser>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/document_input.h"
#include "cli/export_choices.h"
#include "core/documents/export_catalogue.h"

namespace pictavo::cli {

namespace {

const QString kCommand = QStringLiteral("skin export");

QString Text(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int RunSkinExport(const QStringList& arguments) {
  QCommandLineParser parser;
  const QCommandLineOption format(QStringLiteral("format"),
                                  Text(ExportFormatHelp(ExportSource::Skin)),
                                  QStringLiteral("format"));
  const QCommandLineOption depth(
      QStringLiteral("depth"),
      QStringLiteral("c and gas: every icon at 1, 2, 4 or 8 bits per pixel, its codes mapped as "
                     "export's texts of that depth map them (default: each icon at its own "
                     "depth, as the skin file keeps it, which reads back as the same skin)."),
      QStringLiteral("1|2|4|8"));
  const QCommandLineOption align(
      QStringLiteral("align"),
      QStringLiteral("c and gas: every row of a frame starts a new byte."));
  const QCommandLineOption bit_order(
      QStringLiteral("bit-order"),
      QStringLiteral("c and gas: lsb (default) puts the first pixel of a byte in its lowest "
                     "bits, as the skin file does; msb in its highest."),
      QStringLiteral("lsb|msb"));
  const QCommandLineOption layout(
      QStringLiteral("layout"),
      QStringLiteral("c and gas: rows (default), or pages, each byte one column of 8 rows, the "
                     "top row in bit 0 (bit 7 with msb), for icons packed at 1 bit per pixel."),
      QStringLiteral("rows|pages"));
  const QCommandLineOption lookup(
      QStringLiteral("lookup"),
      QStringLiteral("c and gas: add SYMBOL_lookup, 256 bytes giving the index entry of the "
                     "first icon of each ID, 0xFF where there is none (for fonts)."));
  const QCommandLineOption symbol(
      QStringLiteral("symbol"),
      QStringLiteral("The name the arrays are made of, a C identifier (default: the skin's "
                     "name, or the file's when that is none); a name C or C++ reserves gets "
                     "_picture behind."),
      QStringLiteral("name"));
  const QCommandLineOption output(
      QStringList{QStringLiteral("o"), QStringLiteral("output")},
      QStringLiteral("Write to this file, replacing it whole; - or none: standard output."),
      QStringLiteral("file"));
  parser.addOptions({format, depth, align, bit_order, layout, lookup, symbol, output});
  parser.addPositionalArgument(QStringLiteral("skin"),
                               QStringLiteral("A skin file; - reads one from standard input."),
                               QStringLiteral("SKIN.skin"));
  if (auto done = ParseCommandLine(
          parser, arguments, kCommand,
          QStringLiteral("pictavo-cli skin export SKIN.skin --format %1 [--depth 1|2|4|8] "
                         "[--align] [--bit-order lsb|msb] [--layout rows|pages] [--lookup] "
                         "[--symbol NAME] [-o OUT]")
              .arg(Text(ExportFormatNames(ExportSource::Skin))
                       .replace(", ", "|")
                       .replace(" or ", "|")),
          QStringLiteral("Writes a whole skin as a text a C compiler or GNU as takes as it is: "
                         "every frame of every icon in one array with an index of the icons "
                         "(c, gas), or the skin file's own bytes (skin-bytes-c, skin-bytes-gas). "
                         "convert reads either back into the skin.")))
    return *done;
  if (parser.positionalArguments().size() != 1) {
    return UsageError(kCommand, QStringLiteral("give exactly one skin file"));
  }
  if (!parser.isSet(format)) return UsageError(kCommand, QStringLiteral("--format is required"));
  const ExportFormat* chosen =
      FindExportFormat(parser.value(format).toStdString(), ExportSource::Skin);
  if (chosen == nullptr) {
    return UsageError(kCommand,
                      QStringLiteral("unknown format \"%1\"; choose %2")
                          .arg(parser.value(format), Text(ExportFormatNames(ExportSource::Skin))));
  }
  const auto choices = ReadExportChoices(parser, *chosen);
  if (!choices) return UsageError(kCommand, choices.error());

  const QString input = parser.positionalArguments().front();
  const std::optional<LoadedSkin> loaded = LoadSkin(input);
  if (!loaded) return ExitRefused;
  const std::string fallback = SymbolFallback(input);
  SaySymbol(*chosen, *choices, loaded->name, fallback, input);
  const auto text = WriteSkinExport(*chosen, loaded->skin, loaded->name, *choices, fallback);
  if (!text) {
    return Refuse(IsStandardInput(input) ? QStringLiteral("standard input") : input,
                  AsSentence(text.error().message));
  }
  return WriteOutput(
             OutputTo(parser.isSet(output) ? parser.value(output) : QStringLiteral("-"), false),
             *text)
             ? ExitOk
             : ExitRefused;
}

}  // namespace pictavo::cli
