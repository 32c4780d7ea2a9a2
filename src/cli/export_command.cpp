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
#include "cli/picture_input.h"
#include "core/formats/listing.h"
#include "core/formats/source_text/writer.h"

namespace pictavo::cli {

namespace {

const QString kCommand = QStringLiteral("export");

struct FormatChoice {
  const char* name;
  std::optional<ListingFormat> listing;  // the clipboard texts
  std::optional<SourceFormat> source;    // the compiler texts; neither: the asm 8bpp file
  int bpp;
  const char* suffix;  // for --out-dir
};

// cpp..asm8 are the tool-bar buttons (listing, then the 1-bit C++ array);
// asmfile is what "Save (asm 8bpp format)..." writes.
const FormatChoice kFormats[] = {
    {"cpp", ListingFormat::Cpp, std::nullopt, 0, ".h"},
    {"asm1", ListingFormat::Asm1, std::nullopt, 1, ".s"},
    {"asm2", ListingFormat::Asm2, std::nullopt, 2, ".s"},
    {"asm4", ListingFormat::Asm4, std::nullopt, 4, ".s"},
    {"asm8", ListingFormat::Asm8, std::nullopt, 8, ".s"},
    {"asmfile", std::nullopt, std::nullopt, 8, ".s"},
    {"c1", std::nullopt, SourceFormat::C, 1, ".h"},
    {"c2", std::nullopt, SourceFormat::C, 2, ".h"},
    {"c4", std::nullopt, SourceFormat::C, 4, ".h"},
    {"c8", std::nullopt, SourceFormat::C, 8, ".h"},
    {"gas1", std::nullopt, SourceFormat::Gas, 1, ".s"},
    {"gas2", std::nullopt, SourceFormat::Gas, 2, ".s"},
    {"gas4", std::nullopt, SourceFormat::Gas, 4, ".s"},
    {"gas8", std::nullopt, SourceFormat::Gas, 8, ".s"},
    {"xbm", std::nullopt, SourceFormat::Xbm, 1, ".xbm"},
};

const QString kFormatNames = QStringLiteral(
    "cpp, asm1, asm2, asm4, asm8, asmfile, c1, c2, c4, c8, gas1, gas2, gas4, gas8 or xbm");

// What the compiler texts take beyond the format; the symbol is per picture.
struct SourceChoices {
  BitOrder order = BitOrder::Lsb;
  ByteLayout layout = ByteLayout::Rows;
  std::optional<QString> symbol;
};

std::string ExportText(const LoadedPicture& loaded, const FormatChoice& format, bool align,
                       const SourceTextOptions& source) {
  const CodeGridView view = ViewOf(loaded.picture);
  if (format.listing) return PictureClipboardText(view, loaded.name, *format.listing, align);
  if (format.source) return WriteSourceText(view, source);
  return AsmFileListing(view, loaded.name);
}

// The symbol of one picture: --symbol, else its name, else its file's name,
// made into a C identifier; said when it is not the picture's name.
std::string SymbolFor(const LoadedPicture& loaded, const QString& input,
                      const SourceChoices& choices) {
  std::string symbol;
  if (choices.symbol) {
    const std::string given = choices.symbol->toLocal8Bit().toStdString();
    symbol = SourceSymbol(given, given);
  } else {
    symbol = SourceSymbol(loaded.name, LocalPath(input).stem().string());
  }
  if (symbol != loaded.name) {
    Warn(input,
         QStringLiteral("the symbol is %1 (the picture's name is \"%2\")")
             .arg(QString::fromLatin1(symbol.c_str()), QString::fromLatin1(loaded.name.c_str())));
  }
  return symbol;
}

// Checks the options that only some formats take; a usage error names the
// one given in vain.
std::optional<QString> CheckSourceOptions(const QCommandLineParser& parser,
                                          const FormatChoice& format, SourceChoices& choices,
                                          qsizetype inputs) {
  const bool compiler_text = format.source.has_value();
  const bool c_or_gas = compiler_text && *format.source != SourceFormat::Xbm;
  if (parser.isSet(QStringLiteral("bit-order"))) {
    if (!c_or_gas) return QStringLiteral("--bit-order is for the c and gas formats");
    const QString value = parser.value(QStringLiteral("bit-order"));
    if (value == QLatin1String("msb")) {
      choices.order = BitOrder::Msb;
    } else if (value != QLatin1String("lsb")) {
      return QStringLiteral("unknown bit order \"%1\"; choose lsb or msb").arg(value);
    }
  }
  if (parser.isSet(QStringLiteral("layout"))) {
    if (!c_or_gas || format.bpp != 1) return QStringLiteral("--layout is for c1 and gas1");
    const QString value = parser.value(QStringLiteral("layout"));
    if (value == QLatin1String("pages")) {
      choices.layout = ByteLayout::Pages;
    } else if (value != QLatin1String("rows")) {
      return QStringLiteral("unknown layout \"%1\"; choose rows or pages").arg(value);
    }
  }
  if (parser.isSet(QStringLiteral("align")) && format.source) {
    if (*format.source == SourceFormat::Xbm)
      return QStringLiteral("--align is not for xbm, whose rows always start a new byte");
    if (format.bpp == 8)
      return QStringLiteral("--align is not for c8 and gas8, one byte per pixel");
    if (choices.layout == ByteLayout::Pages)
      return QStringLiteral("--align is not for --layout pages");
  }
  if (parser.isSet(QStringLiteral("symbol"))) {
    if (!compiler_text) return QStringLiteral("--symbol is for the c, gas and xbm formats");
    if (inputs > 1) return QStringLiteral("--symbol names one picture's symbol; give one picture");
    choices.symbol = parser.value(QStringLiteral("symbol"));
  }
  return std::nullopt;
}

}  // namespace

int RunExport(const QStringList& arguments) {
  QCommandLineParser parser;
  const QCommandLineOption format_option(
      QStringLiteral("format"),
      QStringLiteral("cpp, asm1, asm2, asm4 or asm8: the text of the matching clipboard "
                     "button; asmfile: the text \"Save (asm 8bpp format)...\" writes; c1, c2, "
                     "c4, c8: a C header; gas1, gas2, gas4, gas8: a GNU as source; xbm: an X "
                     "bitmap."),
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
      QStringLiteral("c1 and gas1: rows (default), or pages: each byte one column of 8 rows, "
                     "the top row in bit 0 (bit 7 with msb)."),
      QStringLiteral("rows|pages"));
  const QCommandLineOption symbol_option(
      QStringLiteral("symbol"),
      QStringLiteral("c, gas and xbm: the array's name (default: the picture's name, or the "
                     "file's when that is no C identifier)."),
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
                     ".xbm (xbm) or .s."),
      QStringLiteral("folder"));
  parser.addOptions({format_option, align_option, bit_order_option, layout_option, symbol_option,
                     output_option, append_option, out_dir_option});
  parser.addPositionalArgument(QStringLiteral("pictures"), QStringLiteral("Picture files (.ptv)."),
                               QStringLiteral("PICTURE.ptv..."));
  if (auto done = ParseCommandLine(
          parser, arguments, kCommand,
          QStringLiteral("pictavo-cli export PICTURE.ptv... --format "
                         "cpp|asm1|asm2|asm4|asm8|asmfile|c1|c2|c4|c8|gas1|gas2|gas4|gas8|xbm "
                         "[--align] [--bit-order lsb|msb] [--layout rows|pages] [--symbol NAME] "
                         "[-o OUT | --append OUT | --out-dir DIR]"),
          QStringLiteral("Writes the source text of pictures, byte for byte as the window "
                         "makes it.")))
    return *done;

  const QStringList inputs = parser.positionalArguments();
  if (inputs.isEmpty()) return UsageError(kCommand, QStringLiteral("no picture file given"));
  if (!parser.isSet(format_option)) {
    return UsageError(kCommand, QStringLiteral("--format is required"));
  }
  const FormatChoice* format = nullptr;
  for (const FormatChoice& choice : kFormats) {
    if (parser.value(format_option) == QLatin1String(choice.name)) format = &choice;
  }
  if (format == nullptr) {
    return UsageError(kCommand, QStringLiteral("unknown format \"%1\"; choose %2")
                                    .arg(parser.value(format_option), kFormatNames));
  }
  const int destinations = int{parser.isSet(output_option)} + int{parser.isSet(append_option)} +
                           int{parser.isSet(out_dir_option)};
  if (destinations > 1) {
    return UsageError(kCommand, QStringLiteral("give only one of -o, --append and --out-dir"));
  }
  SourceChoices choices;
  if (auto wrong = CheckSourceOptions(parser, *format, choices, inputs.size())) {
    return UsageError(kCommand, *wrong);
  }
  const bool align = parser.isSet(align_option);

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

  std::vector<SourceTextOptions> sources(pictures.size());
  if (format->source) {
    for (std::size_t i = 0; i < pictures.size(); ++i) {
      sources[i] = {
          *format->source, format->bpp,
          align,           choices.order,
          choices.layout,  SymbolFor(pictures[i], inputs[static_cast<qsizetype>(i)], choices)};
    }
  }

  if (parser.isSet(out_dir_option)) {
    const QString folder = parser.value(out_dir_option);
    std::map<std::filesystem::path, QString> targets;
    for (const QString& input : inputs) {
      const std::filesystem::path target =
          LocalPath(folder) / LocalPath(input).stem().concat(format->suffix);
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
          LocalPath(inputs[static_cast<qsizetype>(i)]).stem().concat(format->suffix);
      const OutputTarget output{OutputTarget::Kind::Replace, DisplayPath(target)};
      if (!WriteOutput(output, ExportText(pictures[i], *format, align, sources[i])))
        return ExitRefused;
    }
    return ExitOk;
  }

  // One destination: the texts one after another, as a series of "Save to
  // end" commands would leave them.
  std::string text;
  for (std::size_t i = 0; i < pictures.size(); ++i)
    text += ExportText(pictures[i], *format, align, sources[i]);
  OutputTarget output;
  if (parser.isSet(append_option)) {
    output = {OutputTarget::Kind::Append, parser.value(append_option)};
  } else if (parser.isSet(output_option) && parser.value(output_option) != QLatin1String("-")) {
    output = {OutputTarget::Kind::Replace, parser.value(output_option)};
  }
  return WriteOutput(output, text) ? ExitOk : ExitRefused;
}

}  // namespace pictavo::cli
