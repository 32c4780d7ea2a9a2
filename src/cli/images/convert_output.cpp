#include "cli/images/convert_output.h"

#include <string>

#include "cli/cli_support.h"
#include "cli/document_input.h"
#include "cli/export_choices.h"
#include "core/documents/file_kinds.h"
#include "core/formats/skin_file.h"

namespace pictavo::cli {

namespace {

const QString kConvert = QStringLiteral("convert");

// The depth a suffix alone gives a C header or GNU as source.
constexpr int DefaultTextDepth = 2;

QString Name(const ExportFormat& format) {
  return QString::fromLatin1(format.name.data(), static_cast<qsizetype>(format.name.size()));
}

// The format --format names or the output's name asks for.
expected<const ExportFormat*, QString> ChosenFormat(const QCommandLineParser& parser,
                                                    const ConvertOutputSet& set,
                                                    const QString& output,
                                                    std::optional<int> depth) {
  if (parser.isSet(set.format)) {
    const ExportFormat* format = FindExportFormat(parser.value(set.format).toStdString());
    if (format == nullptr) {
      return unexpected(
          QStringLiteral("unknown format \"%1\"; choose %2")
              .arg(parser.value(set.format), QString::fromStdString(ExportFormatNames())));
    }
    if (depth && (!format->Family().has_depth || format->depth != *depth)) {
      return unexpected(QStringLiteral("--depth %1 does not go with --format %2, which says the "
                                       "depth")
                            .arg(*depth)
                            .arg(Name(*format)));
    }
    return format;
  }
  const std::string name = output.toStdString();
  const ExportFormat* format = ExportFormatOfName(name, depth.value_or(DefaultTextDepth));
  if (format == nullptr) {
    // A name another kind of file has is no place for a picture file.
    if (output != QLatin1String("-") && KindOfName(name)) {
      return unexpected(QStringLiteral("the name %1 asks for no format convert writes: name it "
                                       ".ptv, .h, .s or .xbm, or give --format")
                            .arg(output));
    }
    format = FindExportFormat("ptv");
  }
  if (depth && !format->Family().has_depth) {
    return unexpected(
        QStringLiteral("--depth is for a .h or .s output; %1 has one depth").arg(Name(*format)));
  }
  return format;
}

}  // namespace

expected<ConvertOutput, QString> ReadConvertOutput(const QCommandLineParser& parser,
                                                   const ConvertOutputSet& set,
                                                   const QString& output, bool text_input,
                                                   std::optional<int> depth) {
  const auto format = ChosenFormat(parser, set, output, text_input ? std::nullopt : depth);
  if (!format) return unexpected(format.error());
  ConvertOutput chosen{*format, {}};
  if (text_input) {
    auto symbol = ReadSymbolOption(parser, **format);
    if (!symbol) return unexpected(symbol.error());
    chosen.choices.symbol = std::move(*symbol);
    return chosen;
  }
  auto choices = ReadExportChoices(parser, **format);
  if (!choices) return unexpected(choices.error());
  chosen.choices = std::move(*choices);
  return chosen;
}

int WriteConverted(const ConvertOutput& chosen, CodeGridView picture, std::string_view name,
                   const QString& input, const QString& output) {
  const std::string fallback = SymbolFallback(IsStandardInput(input) ? output : input);
  SaySymbol(*chosen.format, chosen.choices, name, fallback, input);
  const std::string bytes = WriteExport(*chosen.format, picture, name, chosen.choices, fallback);
  return WriteOutput(OutputTo(output, chosen.format->Family().binary), bytes) ? ExitOk
                                                                              : ExitRefused;
}

}  // namespace pictavo::cli

namespace pictavo::cli {

int WriteSkinBack(const QCommandLineParser& parser, const ConvertOutputSet& set,
                  const ReadTextOptions& read, SkinDocument skin, const QByteArray& name,
                  const QString& input, const QString& output) {
  const auto refuse = [](const QString& option) {
    return UsageError(kConvert, QStringLiteral("--%1 is not for a skin table, which convert "
                                               "writes back as the skin file it was made of")
                                    .arg(option));
  };
  if (parser.isSet(set.format)) return refuse(QStringLiteral("format"));
  if (parser.isSet(set.symbol)) return refuse(QStringLiteral("symbol"));
  if (read.depth) return refuse(QStringLiteral("depth"));
  if (read.size) return refuse(QStringLiteral("size"));
  if (read.invert) return refuse(QStringLiteral("invert"));
  if (read.skip > 0) return refuse(QStringLiteral("skip"));
  const std::optional<FileKind> named = KindOfName(output.toStdString());
  if (output != QLatin1String("-") && named && *named != FileKind::SkinFile) {
    return UsageError(kConvert, QStringLiteral("a skin table is written back as a skin file, "
                                               "not as %1: name it .skin")
                                    .arg(output));
  }
  const QString who = IsStandardInput(input) ? QStringLiteral("standard input") : input;
  if (!name.isEmpty()) {
    skin.name = name.toStdString();
  } else {
    for (const std::string& note : skin.notes) Warn(who, ReasonText(note));
  }
  const auto file = WriteSkinFile(skin.skin, skin.name);
  if (!file) return Refuse(who, AsSentence(file.error().message));
  return WriteOutput(OutputTo(output, true), std::span<const std::uint8_t>(*file)) ? ExitOk
                                                                                   : ExitRefused;
}

}  // namespace pictavo::cli
