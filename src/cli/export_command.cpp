// pictavo-cli export: the texts of the tool-bar clipboard buttons and of the
// two "asm 8bpp" file commands, built by the same core functions, and the
// texts made for compilers (C headers, GNU as sources, X bitmaps).
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include <QCommandLineOption>
#include <QCommandLineParser>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/document_input.h"
#include "cli/export_choices.h"
#include "core/documents/export_catalogue.h"

namespace pictavo::cli {

namespace {

const QString kCommand = QStringLiteral("export");

// "cpp|asm1|...|xbm".
QString FormatChoices() {
  QStringList names;
  for (const ExportFormat& format : ExportFormats()) {
    names << QString::fromLatin1(format.name.data(), static_cast<qsizetype>(format.name.size()));
  }
  return names.join(QLatin1Char('|'));
}

std::string Suffix(const ExportFormat& format) { return "." + std::string(format.Family().suffix); }

std::string ExportText(const ExportFormat& format, const LoadedPicture& loaded,
                       const QString& input, const ExportChoices& choices) {
  return WriteExport(format, ViewOf(loaded.picture), loaded.name, choices, SymbolFallback(input));
}

// Why the inputs and destination do not go together, or nothing.
std::optional<QString> WrongDestination(const QCommandLineParser& parser, const QStringList& inputs,
                                        const ExportFormat& format) {
  if (inputs.count(QStringLiteral("-")) > 1) {
    return QStringLiteral("standard input (-) can be read only once");
  }
  if (parser.isSet(QStringLiteral("out-dir")) && inputs.contains(QStringLiteral("-"))) {
    return QStringLiteral(
        "--out-dir names each file after its picture file; standard input has "
        "no name");
  }
  // A picture file holds one picture, whole.
  if (format.Family().binary && parser.isSet(QStringLiteral("append"))) {
    return QStringLiteral("--append is not for ptv: a picture file holds one picture");
  }
  if (format.Family().binary && inputs.size() > 1 && !parser.isSet(QStringLiteral("out-dir"))) {
    return QStringLiteral("a picture file holds one picture: give one, or --out-dir");
  }
  if (parser.isSet(QStringLiteral("symbol")) && inputs.size() > 1) {
    return QStringLiteral("--symbol names one picture's symbol; give one picture");
  }
  return std::nullopt;
}

}  // namespace

int RunExport(const QStringList& arguments) {
  QCommandLineParser parser;
  const QCommandLineOption format_option(QStringLiteral("format"),
                                         QString::fromStdString(ExportFormatHelp()),
                                         QStringLiteral("format"));
  const QCommandLineOption align_option(
      QStringLiteral("align"),
      QStringLiteral("Start every row in a new byte (asm1, asm2, asm4, c1, c2, c4, gas1, gas2, "
                     "gas4), as the tool bar's align button does."));
  const QCommandLineOption bit_order_option(
      QStringLiteral("bit-order"),
      QStringLiteral("c and gas formats: lsb (default) puts the first pixel of a byte in its "
                     "lowest bits, as the listings do; msb in its highest."),
      QStringLiteral("lsb|msb"));
  const QCommandLineOption layout_option(
      QStringLiteral("layout"),
      QStringLiteral("rows (default, every text), or for c1 and gas1 pages: each byte one "
                     "column of 8 rows, the top row in bit 0 (bit 7 with msb)."),
      QStringLiteral("rows|pages"));
  const QCommandLineOption symbol_option(
      QStringLiteral("symbol"),
      QStringLiteral("c, gas and xbm: the array's name, a C identifier (default: the picture's "
                     "name, or the file's when that is none); a name C or C++ reserves gets "
                     "_picture behind."),
      QStringLiteral("name"));
  const QCommandLineOption output_option(
      QStringList{QStringLiteral("o"), QStringLiteral("output")},
      QStringLiteral("Write to this file, replacing it whole; - or none: standard output."),
      QStringLiteral("file"));
  const QCommandLineOption append_option(
      QStringLiteral("append"),
      QStringLiteral("Add to the end of this file, as \"Save to end\" does; a missing file "
                     "is created."),
      QStringLiteral("file"));
  const QCommandLineOption out_dir_option(
      QStringLiteral("out-dir"),
      QStringLiteral("Write one file per picture into this folder: its name with .h (cpp, c), "
                     ".xbm (xbm), .ptv (ptv) or .s."),
      QStringLiteral("folder"));
  parser.addOptions({format_option, align_option, bit_order_option, layout_option, symbol_option,
                     output_option, append_option, out_dir_option});
  parser.addPositionalArgument(
      QStringLiteral("pictures"),
      QStringLiteral("Picture files (.ptv); - reads one from standard input."),
      QStringLiteral("PICTURE.ptv..."));
  if (auto done = ParseCommandLine(
          parser, arguments, kCommand,
          QStringLiteral("pictavo-cli export PICTURE.ptv... --format %1 "
                         "[--align] [--bit-order lsb|msb] [--layout rows|pages] [--symbol NAME] "
                         "[-o OUT | --append OUT | --out-dir DIR]")
              .arg(FormatChoices()),
          QStringLiteral("Writes the source text of pictures, byte for byte as the window "
                         "makes it.")))
    return *done;

  const QStringList inputs = parser.positionalArguments();
  if (inputs.isEmpty()) return UsageError(kCommand, QStringLiteral("no picture file given"));
  if (!parser.isSet(format_option)) {
    return UsageError(kCommand, QStringLiteral("--format is required"));
  }
  const ExportFormat* format = FindExportFormat(parser.value(format_option).toStdString());
  if (format == nullptr) {
    return UsageError(kCommand, QStringLiteral("unknown format \"%1\"; choose %2")
                                    .arg(parser.value(format_option),
                                         QString::fromStdString(ExportFormatNames())));
  }
  const int destinations = int{parser.isSet(output_option)} + int{parser.isSet(append_option)} +
                           int{parser.isSet(out_dir_option)};
  if (destinations > 1) {
    return UsageError(kCommand, QStringLiteral("give only one of -o, --append and --out-dir"));
  }
  if (auto wrong = WrongDestination(parser, inputs, *format)) return UsageError(kCommand, *wrong);
  const auto choices = ReadExportChoices(parser, *format);
  if (!choices) return UsageError(kCommand, choices.error());

  // Every input is read and checked before anything is written, so a refused
  // picture leaves every output as it was.
  std::vector<LoadedPicture> pictures;
  pictures.reserve(static_cast<std::size_t>(inputs.size()));
  bool refused = false;
  for (const QString& input : inputs) {
    if (auto loaded = LoadPicture(input)) {
      pictures.push_back(std::move(*loaded));
    } else {
      refused = true;
    }
  }
  if (refused) return ExitRefused;

  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const QString& input = inputs[static_cast<qsizetype>(i)];
    SaySymbol(*format, *choices, pictures[i].name, SymbolFallback(input), input);
  }

  if (parser.isSet(out_dir_option)) {
    const QString folder = parser.value(out_dir_option);
    std::map<std::filesystem::path, QString> targets;
    for (const QString& input : inputs) {
      const std::filesystem::path target =
          LocalPath(folder) / LocalPath(input).stem().concat(Suffix(*format));
      if (auto [at, added] = targets.emplace(target, input); !added) {
        return UsageError(kCommand, QStringLiteral("%1 and %2 would both be written to %3")
                                        .arg(at->second, input, DisplayPath(target)));
      }
    }
    std::error_code error;
    std::filesystem::create_directories(LocalPath(folder), error);
    if (error) return Refuse(folder, QString::fromLocal8Bit(error.message().c_str()));
    for (std::size_t i = 0; i < pictures.size(); ++i) {
      const std::filesystem::path target =
          LocalPath(folder) /
          LocalPath(inputs[static_cast<qsizetype>(i)]).stem().concat(Suffix(*format));
      const OutputTarget output = OutputTo(DisplayPath(target), format->Family().binary);
      if (!WriteOutput(output, ExportText(*format, pictures[i], inputs[static_cast<qsizetype>(i)],
                                          *choices)))
        return ExitRefused;
    }
    return ExitOk;
  }

  // One destination: the texts one after another, as a series of "Save to
  // end" commands would leave them.
  std::string text;
  for (std::size_t i = 0; i < pictures.size(); ++i)
    text += ExportText(*format, pictures[i], inputs[static_cast<qsizetype>(i)], *choices);
  OutputTarget output = OutputTo(parser.value(output_option), format->Family().binary);
  if (!parser.isSet(output_option)) output.kind = OutputTarget::Kind::StandardOutput;
  if (parser.isSet(append_option)) {
    output = {OutputTarget::Kind::Append, parser.value(append_option)};
  }
  return WriteOutput(output, text) ? ExitOk : ExitRefused;
}

}  // namespace pictavo::cli
