#include "cli/images/convert_text.h"

#include <string>
#include <string_view>

#include "cli/cli_support.h"

namespace pictavo::cli {

expected<ReadTextOptions, QString> SourceTextOptionSet::Read(
    const QCommandLineParser& parser) const {
  ReadTextOptions options;
  if (parser.isSet(bit_order)) {
    const QString value = parser.value(bit_order);
    if (value != QLatin1String("lsb") && value != QLatin1String("msb")) {
      return unexpected(QStringLiteral("the bit order must be lsb or msb, not \"%1\"").arg(value));
    }
    options.bit_order = value == QLatin1String("msb") ? BitOrder::Msb : BitOrder::Lsb;
  }
  if (parser.isSet(layout)) {
    const QString value = parser.value(layout);
    if (value != QLatin1String("rows") && value != QLatin1String("pages")) {
      return unexpected(QStringLiteral("the layout must be rows or pages, not \"%1\"").arg(value));
    }
    options.layout = value == QLatin1String("pages") ? ByteLayout::Pages : ByteLayout::Rows;
  }
  if (parser.isSet(align)) options.align = true;
  if (parser.isSet(depth)) {
    const QString value = parser.value(depth);
    if (value != QLatin1String("1") && value != QLatin1String("2") && value != QLatin1String("4") &&
        value != QLatin1String("8")) {
      return unexpected(QStringLiteral("the depth must be 1, 2, 4 or 8, not \"%1\"").arg(value));
    }
    options.depth = value.toInt();
  }
  return options;
}

std::optional<LoadedPicture> ConvertedText(const QString& path, PictureDocument text,
                                           const QByteArray& name) {
  if (!name.isEmpty()) {
    text.record.name = name.toStdString();
  } else {
    for (const std::string& note : text.notes) Warn(path, ReasonText(note));
  }
  return PictureOf(path, text);
}

}  // namespace pictavo::cli
