#include "cli/export_choices.h"

#include <optional>
#include <utility>

#include "cli/cli_support.h"
#include "cli/document_input.h"
#include "core/formats/source_text/symbol.h"

namespace pictavo::cli {

namespace {

std::optional<QString> Refused(const ExportFormat& format, ExportOption option,
                               const ExportChoices& choices) {
  if (auto refused = RefusedOption(format, option, choices)) {
    return QString::fromStdString(*refused);
  }
  return std::nullopt;
}

}  // namespace

expected<ExportChoices, QString> ReadExportChoices(const QCommandLineParser& parser,
                                                   const ExportFormat& format) {
  ExportChoices choices;
  const QString bit_order = QStringLiteral("bit-order");
  const QString layout = QStringLiteral("layout");
  const QString align = QStringLiteral("align");
  // The values first: whether an option applies can depend on them. Only
  // skin export has --depth and --lookup as choices of the text written.
  if (format.Source() == ExportSource::Skin) {
    const QString depth = QStringLiteral("depth");
    if (parser.isSet(depth)) {
      const QString value = parser.value(depth);
      if (value != QLatin1String("1") && value != QLatin1String("2") &&
          value != QLatin1String("4") && value != QLatin1String("8")) {
        return unexpected(QStringLiteral("the depth must be 1, 2, 4 or 8, not \"%1\"").arg(value));
      }
      choices.depth = value.toInt();
      if (auto refused = Refused(format, ExportOption::Depth, choices)) {
        return unexpected(*refused);
      }
    }
    if (parser.isSet(QStringLiteral("lookup"))) {
      if (auto refused = Refused(format, ExportOption::Lookup, choices)) {
        return unexpected(*refused);
      }
      choices.lookup = true;
    }
  }
  if (parser.isSet(bit_order)) {
    const QString value = parser.value(bit_order);
    if (value != QLatin1String("lsb") && value != QLatin1String("msb")) {
      return unexpected(QStringLiteral("unknown bit order \"%1\"; choose lsb or msb").arg(value));
    }
    choices.order = value == QLatin1String("msb") ? BitOrder::Msb : BitOrder::Lsb;
    if (auto refused = Refused(format, ExportOption::BitOrder, choices)) {
      return unexpected(*refused);
    }
  }
  if (parser.isSet(layout)) {
    const QString value = parser.value(layout);
    if (value != QLatin1String("rows") && value != QLatin1String("pages")) {
      return unexpected(QStringLiteral("unknown layout \"%1\"; choose rows or pages").arg(value));
    }
    choices.layout = value == QLatin1String("pages") ? ByteLayout::Pages : ByteLayout::Rows;
    if (auto refused = Refused(format, ExportOption::Layout, choices)) return unexpected(*refused);
  }
  if (parser.isSet(align)) {
    if (auto refused = Refused(format, ExportOption::Align, choices)) return unexpected(*refused);
    choices.align = true;
  }
  auto given = ReadSymbolOption(parser, format);
  if (!given) return unexpected(given.error());
  choices.symbol = std::move(*given);
  return choices;
}

expected<std::string, QString> ReadSymbolOption(const QCommandLineParser& parser,
                                                const ExportFormat& format) {
  const QString symbol = QStringLiteral("symbol");
  if (!parser.isSet(symbol)) return std::string();
  if (auto refused = Refused(format, ExportOption::Symbol, {})) return unexpected(*refused);
  const QString value = parser.value(symbol);
  std::string given = value.toUtf8().toStdString();
  if (auto wrong = NotIdentifierReason(given)) {
    return unexpected(QStringLiteral("the symbol \"%1\" is no C identifier: it %2")
                          .arg(value, QString::fromUtf8(wrong->c_str())));
  }
  return given;
}

std::string SymbolFallback(const QString& input) {
  if (IsStandardInput(input)) return {};
  return LocalPath(input).stem().string();
}

void SaySymbol(const ExportFormat& format, const ExportChoices& choices, std::string_view name,
               std::string_view fallback, const QString& input) {
  if (!format.Takes(ExportOption::Symbol)) return;
  const std::string note = ExportSymbolNote(choices, name, fallback, format.Source());
  if (!note.empty()) {
    Warn(IsStandardInput(input) ? QStringLiteral("standard input") : input,
         QString::fromLatin1(note.c_str()));
  }
}

}  // namespace pictavo::cli
