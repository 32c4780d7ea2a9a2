// pictavo-cli font: a TrueType, OpenType, BDF or PCF font as a skin of glyph
// icons, or what the font holds.
#include <cstdio>
#include <string>

#include <QCommandLineOption>
#include <QCommandLineParser>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "core/documents/font_import.h"
#include "core/formats/skin_file.h"

namespace pictavo::cli {

namespace {

const QString kCommand = QStringLiteral("font");
constexpr std::size_t kMaxCharsFile = 1 << 20;

std::optional<int> Number(const QString& text, int low, int high) {
  bool ok = false;
  const int value = text.toInt(&ok);
  return ok && value >= low && value <= high ? std::optional<int>(value) : std::nullopt;
}

void Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

int PrintInfo(const QString& path, FontFace& face, const std::optional<int>& size,
              const CharSet& chars) {
  const FontInfo& info = face.Info();
  std::string text = "family: " + info.family + "\nstyle: " + info.style +
                     "\nformat: " + std::string(FontFormatName(info.format)) +
                     "\nglyphs: " + std::to_string(info.glyph_count) +
                     "\noutlines: " + (info.scalable ? "yes" : "no") + "\nbitmap sizes:";
  if (info.strikes.empty()) text += " none";
  for (const FontStrike& s : info.strikes) {
    text += " " + std::to_string(s.ppem) + " px (" + std::to_string(s.width) + " x " +
            std::to_string(s.height) + ")";
  }
  text += "\n";
  if (size) {
    const auto line = face.SetPixelSize(*size);
    if (!line) return Refuse(path, line.error().message);
    text += "line at " + std::to_string(*size) + " px: " + std::to_string(line->Height()) +
            " rows, " + std::to_string(line->ascender) + " above the baseline\n";
  }
  std::string lacking;
  int count = 0;
  for (char32_t c : chars) {
    if (face.HasChar(c)) continue;
    lacking += (count++ > 0 ? ", " : "") + CharName(c);
  }
  text += "lacking: " + (count == 0 ? std::string("none") : lacking) + "\n";
  Print(text);
  return ExitOk;
}

}  // namespace

int RunFont(const QStringList& arguments) {
  QCommandLineParser parser;
  const auto option = [](const char* name, const char* text, const char* value = nullptr) {
    return value
               ? QCommandLineOption(QLatin1String(name), QLatin1String(text), QLatin1String(value))
               : QCommandLineOption(QLatin1String(name), QLatin1String(text));
  };
  const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                  QStringLiteral("The skin file to write (- for standard output)."),
                                  QStringLiteral("file"));
  const QCommandLineOption info = option("info",
                                         "List the family, style, bitmap sizes and which "
                                         "of the characters the font lacks.");
  const QCommandLineOption size = option("size",
                                         "Size in pixels, 1 to 255 (a bitmap font's own "
                                         "size by default).",
                                         "PX");
  const QCommandLineOption height =
      option("height", "Rows of every icon, 1 to 92 (default: the font's line).", "H");
  const QCommandLineOption width =
      option("width", "Columns of every icon, 1 to 96 (default: each glyph's advance).", "W");
  const QCommandLineOption depth =
      option("depth", "1: monochrome (default); 2: coverage through the four grays.", "1|2");
  const QCommandLineOption levels = option(
      "levels", "The device's grays for Black, 66 %, 33 % and White (default 0,128,192,255).",
      "G0,G1,G2,G3");
  const QCommandLineOption invert = option("invert", "White ink on Black.");
  const QCommandLineOption transparent =
      option("transparent", "With --depth 2: a Transparent background (icons stored at 4 bpp).");
  const QCommandLineOption hinting =
      option("hinting", "Fitting to the pixel grid (default mono at depth 1, normal at 2).",
             "none|light|normal|mono");
  const QCommandLineOption chars =
      option("chars",
             "Codes and ranges (32-126, 0x20-0x7E,0xA0-0xFF) or the characters themselves "
             "(default printable ASCII).",
             "SET");
  const QCommandLineOption chars_file =
      option("chars-file", "The characters of a UTF-8 text file.", "FILE");
  const QCommandLineOption ids_from = option(
      "ids-from", "Number the characters past code 254 from this icon ID, in set order.", "N");
  const QCommandLineOption name =
      option("name", "The skin's name, at most 16 characters (default: the family).", "NAME");
  parser.addOptions({output, info, size, height, width, depth, levels, invert, transparent, hinting,
                     chars, chars_file, ids_from, name});
  parser.addPositionalArgument(QStringLiteral("font"),
                               QStringLiteral("A TrueType, OpenType, BDF or PCF font."),
                               QStringLiteral("FONT"));
  if (auto done = ParseCommandLine(
          parser, arguments, kCommand,
          QStringLiteral("pictavo-cli font FONT -o OUT.skin [--size PX] [options]\n"
                         "       pictavo-cli font FONT --info [--size PX] [--chars SET]"),
          QStringLiteral("Makes a skin with one icon a glyph, its ID the character's code.")))
    return *done;

  if (parser.positionalArguments().size() != 1) {
    return UsageError(kCommand, QStringLiteral("give exactly one font file"));
  }
  if (!parser.isSet(info) && !parser.isSet(output)) {
    return UsageError(kCommand, QStringLiteral("-o OUT.skin or --info is required"));
  }
  FontImportOptions o;
  if (parser.isSet(size)) {
    const auto value = Number(parser.value(size), MinFontPixelSize, MaxFontPixelSize);
    if (!value) return UsageError(kCommand, QStringLiteral("the size must be 1 to 255 pixels"));
    o.size = *value;
  }
  if (parser.isSet(height)) {
    o.height = Number(parser.value(height), MinIconHeight, MaxIconHeight);
    if (!o.height) return UsageError(kCommand, QStringLiteral("the height must be 1 to 92 rows"));
  }
  if (parser.isSet(width)) {
    o.width = Number(parser.value(width), MinIconWidth, MaxIconWidth);
    if (!o.width) return UsageError(kCommand, QStringLiteral("the width must be 1 to 96 columns"));
  }
  if (parser.isSet(depth)) {
    const auto value = Number(parser.value(depth), 1, 2);
    if (!value) return UsageError(kCommand, QStringLiteral("the depth must be 1 or 2"));
    o.depth = *value;
  }
  if (parser.isSet(levels)) {
    const auto value = ParseGrayLevels(parser.value(levels).toStdString());
    if (!value) {
      return UsageError(kCommand, QStringLiteral("--levels takes four whole numbers 0..255, each "
                                                 "above the one before"));
    }
    o.levels = *value;
  }
  o.invert = parser.isSet(invert);
  o.transparent = parser.isSet(transparent);
  if (o.transparent && o.depth != 2) {
    return UsageError(kCommand, QStringLiteral("--transparent needs --depth 2"));
  }
  if (parser.isSet(hinting)) {
    o.hinting = HintingFromName(parser.value(hinting).toStdString());
    if (!o.hinting) {
      return UsageError(kCommand, QStringLiteral("--hinting takes none, light, normal or mono"));
    }
  }
  if (parser.isSet(ids_from)) {
    o.ids_from = Number(parser.value(ids_from), 0, MaxGlyphId);
    if (!o.ids_from) return UsageError(kCommand, QStringLiteral("--ids-from takes 0 to 254"));
  }
  if (parser.isSet(chars) && parser.isSet(chars_file)) {
    return UsageError(kCommand, QStringLiteral("give --chars or --chars-file, not both"));
  }
  if (parser.isSet(chars)) {
    auto set = ParseCharSet(parser.value(chars).toStdString());
    if (!set) return UsageError(kCommand, ReasonText(AsSentence(set.error().message)));
    o.chars = std::move(*set);
  } else if (parser.isSet(chars_file)) {
    const QString file = parser.value(chars_file);
    const auto bytes = ReadLocalFile(file, kMaxCharsFile);
    if (!bytes) return Refuse(file, CouldNotReadReason(bytes.error()));
    auto set = CharSetOfText(
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    if (!set) return Refuse(file, set.error().message);
    o.chars = std::move(*set);
  }
  std::optional<QByteArray> skin_name;
  if (parser.isSet(name)) {
    skin_name = PictureNameArgument(parser.value(name));
    if (!skin_name) {
      return UsageError(kCommand, QStringLiteral("the name must be at most 16 printable "
                                                 "Latin-1 characters"));
    }
  }

  const QString path = parser.positionalArguments().front();
  auto bytes = ReadLocalFile(path, MaxFontFileSize + 1);
  if (!bytes) return Refuse(path, CouldNotReadReason(bytes.error()));
  auto face = OpenFontFile(std::move(*bytes), path.toStdString());
  if (!face) return Refuse(path, face.error().message);
  if (parser.isSet(info)) {
    return PrintInfo(path, *face, parser.isSet(size) ? std::optional<int>(o.size) : std::nullopt,
                     o.chars);
  }
  const auto imported = ImportFont(*face, o);
  if (!imported) return Refuse(path, imported.error().message);
  for (const std::string& note : imported->notes) Warn(path, ReasonText(note));
  const std::string skin_title =
      skin_name ? skin_name->toStdString() : SkinNameOfFont(face->Info());
  const auto file = WriteSkinFile(imported->skin, skin_title);
  if (!file) return Refuse(path, file.error().message);
  OutputTarget target{OutputTarget::Kind::Replace, parser.value(output)};
  if (parser.value(output) == QLatin1String("-")) target = OutputTarget{};
  return WriteOutput(target, std::span<const std::uint8_t>(*file)) ? ExitOk : ExitRefused;
}

}  // namespace pictavo::cli
