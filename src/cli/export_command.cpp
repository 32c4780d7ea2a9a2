// pictavo-cli export: the texts of the tool-bar clipboard buttons and of the
// two "asm 8bpp" file commands, built by the same core functions.
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

namespace pictavo::cli {

namespace {

const QString kCommand = QStringLiteral("export");

struct FormatChoice {
  const char* name;
  std::optional<ListingFormat> listing;  // none: the asm 8bpp file text
  const char* suffix;                    // for --out-dir
};

// cpp..asm8 are the tool-bar buttons (listing, then the 1-bit C++ array);
// asmfile is what "Save (asm 8bpp format)..." writes.
const FormatChoice kFormats[] = {
    {"cpp", ListingFormat::Cpp, ".h"},   {"asm1", ListingFormat::Asm1, ".s"},
    {"asm2", ListingFormat::Asm2, ".s"}, {"asm4", ListingFormat::Asm4, ".s"},
    {"asm8", ListingFormat::Asm8, ".s"}, {"asmfile", std::nullopt, ".s"},
};

std::string ExportText(const LoadedPicture& loaded, const FormatChoice& format, bool align) {
  const CodeGridView view = ViewOf(loaded.picture);
  if (format.listing) return PictureClipboardText(view, loaded.name, *format.listing, align);
  return AsmFileListing(view, loaded.name);
}

}  // namespace

int RunExport(const QStringList& arguments) {
  QCommandLineParser parser;
  const QCommandLineOption format_option(
      QStringLiteral("format"),
      QStringLiteral("cpp, asm1, asm2, asm4 or asm8: the text of the matching clipboard "
                     "button; asmfile: the text \"Save (asm 8bpp format)...\" writes."),
      QStringLiteral("format"));
  const QCommandLineOption align_option(
      QStringLiteral("align"),
      QStringLiteral("Start every row in a new byte (asm1, asm2, asm4), as the tool bar's "
                     "align button does."));
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
      QStringLiteral("Write one file per picture into this folder: its name with .h (cpp) "
                     "or .s."),
      QStringLiteral("folder"));
  parser.addOptions({format_option, align_option, output_option, append_option, out_dir_option});
  parser.addPositionalArgument(QStringLiteral("pictures"), QStringLiteral("Picture files (.ptv)."),
                               QStringLiteral("PICTURE.ptv..."));
  if (auto done = ParseCommandLine(
          parser, arguments, kCommand,
          QStringLiteral("pictavo-cli export PICTURE.ptv... --format "
                         "cpp|asm1|asm2|asm4|asm8|asmfile [--align] [-o OUT | --append OUT | "
                         "--out-dir DIR]"),
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
    return UsageError(kCommand, QStringLiteral("unknown format \"%1\"; choose cpp, asm1, asm2, "
                                               "asm4, asm8 or asmfile")
                                    .arg(parser.value(format_option)));
  }
  const int destinations = int{parser.isSet(output_option)} + int{parser.isSet(append_option)} +
                           int{parser.isSet(out_dir_option)};
  if (destinations > 1) {
    return UsageError(kCommand, QStringLiteral("give only one of -o, --append and --out-dir"));
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
      if (!WriteOutput(output, ExportText(pictures[i], *format, align))) return ExitRefused;
    }
    return ExitOk;
  }

  // One destination: the texts one after another, as a series of "Save to
  // end" commands would leave them.
  std::string text;
  for (const LoadedPicture& picture : pictures) text += ExportText(picture, *format, align);
  OutputTarget output;
  if (parser.isSet(append_option)) {
    output = {OutputTarget::Kind::Append, parser.value(append_option)};
  } else if (parser.isSet(output_option) && parser.value(output_option) != QLatin1String("-")) {
    output = {OutputTarget::Kind::Replace, parser.value(output_option)};
  }
  return WriteOutput(output, text) ? ExitOk : ExitRefused;
}

}  // namespace pictavo::cli
