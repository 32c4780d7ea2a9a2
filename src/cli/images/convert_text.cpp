#include "cli/images/convert_text.h"

#include <string>
#include <string_view>

#include "cli/cli_support.h"
#include "core/formats/picture_file.h"

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

int ConvertSourceText(const QString& path, std::span<const std::uint8_t> bytes,
                      const ReadTextOptions& options, const QByteArray& name,
                      const QString& output) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  auto read = ReadSourceText(text, options);
  if (!read) {
    return Refuse(path, "cannot be read as a source text: " + read.error().message);
  }
  if (!name.isEmpty()) {
    read->picture.name = name.toStdString();
  } else {
    for (const std::string& note : read->notes) Warn(path, ReasonText(note));
  }
  // Through the window's own copy, fit check included.
  Picture picture;
  if (!ApplyPictureRecord(picture, read->picture)) {
    return Refuse(path, std::string("the picture does not fit the editor"));
  }
  OutputTarget target;
  if (output != QLatin1String("-")) target = {OutputTarget::Kind::Replace, output};
  return WriteOutput(target, WritePictureFile(ViewOf(picture), read->picture.name)) ? ExitOk
                                                                                    : ExitRefused;
}

}  // namespace pictavo::cli
