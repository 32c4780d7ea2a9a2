#include "cli/images/convert_text.h"

#include <string>
#include <string_view>

#include <QStringList>

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
  if (parser.isSet(size)) {
    const QString value = parser.value(size);
    const QStringList parts = value.split(QLatin1Char('x'));
    bool width_ok = false;
    bool height_ok = false;
    const int width = parts.value(0).toInt(&width_ok);
    const int height = parts.value(1).toInt(&height_ok);
    if (parts.size() != 2 || !width_ok || !height_ok || width < 1 || width > MaxPictureWidth ||
        height < 1 || height > MaxPictureHeight) {
      return unexpected(
          QStringLiteral("the size must be WIDTHxHEIGHT from 1x1 to 96x92, as 16x16, not \"%1\"")
              .arg(value));
    }
    options.size = TextSize{width, height};
  }
  options.invert = parser.isSet(invert);
  if (options.invert && options.depth && *options.depth != 1) {
    return unexpected(
        QStringLiteral("--invert is for 1-bit texts, not --depth %1").arg(*options.depth));
  }
  if (parser.isSet(skip)) {
    const QString value = parser.value(skip);
    bool number = false;
    const qlonglong count = value.toLongLong(&number);
    // No array holds more values than its text has bytes.
    if (!number || count < 0 || count > static_cast<qlonglong>(SourceTextReadLimit) ||
        !value.front().isDigit()) {
      return unexpected(
          QStringLiteral("the skip must be a whole number of values from 0, not \"%1\"")
              .arg(value));
    }
    options.skip = static_cast<std::size_t>(count);
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
