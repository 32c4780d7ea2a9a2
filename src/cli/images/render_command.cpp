// pictavo-cli render: a picture or the icons of a skin as a PNG in the
// display colours, for documentation and review.
#include <algorithm>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include <QBuffer>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QImage>
#include <QImageWriter>

#include "cli/cli_support.h"
#include "cli/document_input.h"
#include "cli/images/image_commands.h"
#include "core/documents/text_line.h"
#include "core/formats/icon_id.h"
#include "core/formats/skin_file.h"
#include "core/model/pixel_code.h"
#include "core/model/skin.h"

namespace pictavo::cli {

namespace {

const QString kCommand = QStringLiteral("render");
constexpr int kMaxScale = 64;
// Grid lines need room for at least one coloured pixel between them.
constexpr int kMinGridScale = 3;
// The largest sheet drawn: 4096 x 4096 pixels, 64 MiB, as large as an image
// the program reads. A skin's icons can ask for far more at a high scale.
constexpr qint64 kMaxSheetPixels = qint64{4096} * 4096;

// One block of codes to draw: width x height cells, code(x, y) 0-based.
struct Block {
  int width = 0;
  int height = 0;
  std::function<int(int, int)> code;
};

struct Layout {
  int scale = 1;
  bool grid = false;
  qint64 Extent(int cells) const { return qint64{cells} * scale + (grid ? 1 : 0); }
};

struct SheetSize {
  qint64 width = 1;
  qint64 height = 1;
};

QRgb Argb(int code) {
  // Transparent is drawn as clear; the window's teal is only a screen marker.
  if (!IsPixelCode(code) || code == ToInt(PixelCode::Transparent)) return qRgba(0, 0, 0, 0);
  const Rgb c = CodeColors[static_cast<std::size_t>(code)];
  return qRgb(c.r, c.g, c.b);
}

void DrawBlock(QImage& image, int left, int top, const Block& block, const Layout& layout) {
  const int s = layout.scale;
  const int inset = layout.grid ? 1 : 0;
  for (int y = 0; y < block.height; ++y) {
    for (int x = 0; x < block.width; ++x) {
      const QRgb color = Argb(block.code(x, y));
      for (int py = inset; py < s; ++py) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(top + y * s + py));
        std::fill(row + left + x * s + inset, row + left + x * s + s, color);
      }
    }
  }
  if (!layout.grid) return;
  const Rgb g = GridColor;
  const QRgb line = qRgb(g.r, g.g, g.b);
  for (int y = 0; y <= block.height * s; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(top + y));
    if (y % s == 0) {
      std::fill(row + left, row + left + block.width * s + 1, line);
    } else {
      for (int x = 0; x <= block.width; ++x) row[left + x * s] = line;
    }
  }
}

// Rows of blocks, one scaled cell apart: a picture is one block, a skin one
// row per icon with its sub-icons side by side. Counted wide, so that no
// size overflows before it is checked.
SheetSize SizeOf(const std::vector<std::vector<Block>>& rows, const Layout& layout) {
  const qint64 gap = layout.scale;
  qint64 width = 0;
  qint64 height = 0;
  for (const auto& row : rows) {
    qint64 row_width = 0;
    qint64 row_height = 0;
    for (const Block& block : row) {
      row_width += (row_width > 0 ? gap : 0) + layout.Extent(block.width);
      row_height = std::max(row_height, layout.Extent(block.height));
    }
    width = std::max(width, row_width);
    height += (height > 0 ? gap : 0) + row_height;
  }
  return {std::max<qint64>(width, 1), std::max<qint64>(height, 1)};
}

// Only for a size within kMaxSheetPixels; null when it cannot be allocated.
QImage DrawSheet(const std::vector<std::vector<Block>>& rows, const Layout& layout,
                 SheetSize size) {
  QImage image(static_cast<int>(size.width), static_cast<int>(size.height), QImage::Format_ARGB32);
  if (image.isNull()) return image;
  image.fill(Qt::transparent);
  int top = 0;
  for (const auto& row : rows) {
    int left = 0;
    int row_height = 0;
    for (const Block& block : row) {
      DrawBlock(image, left, top, block, layout);
      left += static_cast<int>(layout.Extent(block.width)) + layout.scale;
      row_height = std::max(row_height, static_cast<int>(layout.Extent(block.height)));
    }
    top += row_height + layout.scale;
  }
  return image;
}

Block SubIconBlock(const TSkinIcon& icon, int sub_icon) {
  return {icon.Width, icon.Height, [&icon, sub_icon](int x, int y) {
            return int{icon.Data[icon.DataIndex(sub_icon, x, y)]};
          }};
}

}  // namespace

int RunRenderCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                  QStringLiteral("The PNG file to write (- for standard output)."),
                                  QStringLiteral("file"));
  const QCommandLineOption scale(QStringLiteral("scale"),
                                 QStringLiteral("Image pixels per picture pixel, 1 to 64 "
                                                "(default 1)."),
                                 QStringLiteral("N"));
  const QCommandLineOption icon_option(
      QStringLiteral("icon"),
      QStringLiteral("Only the icon with this ID (0x0A or 10; the first of that ID)."),
      QStringLiteral("ID"));
  const QCommandLineOption sub_option(
      QStringLiteral("sub"), QStringLiteral("With --icon: only this sub-icon, counted from 1."),
      QStringLiteral("N"));
  const QCommandLineOption grid(QStringLiteral("grid"),
                                QStringLiteral("Grid lines between the pixels (needs --scale 3 "
                                               "or more)."));
  const QCommandLineOption text_option(
      QStringLiteral("text"),
      QStringLiteral("A line of text drawn with a glyph skin's icons, the icon of each "
                     "character the one whose ID is its code."),
      QStringLiteral("TEXT"));
  parser.addOptions({output, scale, icon_option, sub_option, grid, text_option});
  parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A picture or skin file."),
                               QStringLiteral("PICTURE.ptv|SKIN.skin"));
  if (auto done = ParseCommandLine(
          parser, arguments, kCommand,
          QStringLiteral("pictavo-cli render PICTURE.ptv|SKIN.skin -o OUT.png [--scale N] "
                         "[--icon ID [--sub N] | --text TEXT] [--grid]"),
          QStringLiteral("Draws a picture, or a skin's icons one row each, as a PNG in the "
                         "display colours with Transparent clear.")))
    return *done;

  if (parser.positionalArguments().size() != 1) {
    return UsageError(kCommand, QStringLiteral("give exactly one picture or skin file"));
  }
  if (!parser.isSet(output)) return UsageError(kCommand, QStringLiteral("-o OUT.png is required"));
  Layout layout;
  if (parser.isSet(scale)) {
    bool number = false;
    layout.scale = parser.value(scale).toInt(&number);
    if (!number || layout.scale < 1 || layout.scale > kMaxScale) {
      return UsageError(kCommand, QStringLiteral("the scale must be a whole number from 1 to 64"));
    }
  }
  layout.grid = parser.isSet(grid);
  if (layout.grid && layout.scale < kMinGridScale) {
    return UsageError(kCommand, QStringLiteral("--grid needs --scale 3 or more"));
  }
  if (parser.isSet(sub_option) && !parser.isSet(icon_option)) {
    return UsageError(kCommand, QStringLiteral("--sub needs --icon"));
  }
  std::optional<int> wanted_id;
  if (parser.isSet(icon_option)) {
    wanted_id = ParseStreamIconId(parser.value(icon_option).toStdString());
    if (!wanted_id) {
      return UsageError(kCommand, QStringLiteral("\"%1\" is not an icon ID from 0x00 to 0xFE")
                                      .arg(parser.value(icon_option)));
    }
  }
  if (parser.isSet(text_option) && parser.isSet(icon_option)) {
    return UsageError(kCommand, QStringLiteral("give --icon or --text, not both"));
  }
  std::optional<int> wanted_sub;
  if (parser.isSet(sub_option)) {
    bool number = false;
    wanted_sub = parser.value(sub_option).toInt(&number);
    if (!number || *wanted_sub < 1) {
      return UsageError(kCommand, QStringLiteral("the sub-icon is counted from 1"));
    }
  }

  const QString path = parser.positionalArguments().front();
  std::vector<std::vector<Block>> rows;
  std::optional<Document> document = LoadDocument(path, Taking(PictureFiles | SkinFiles));
  if (!document) return ExitRefused;
  std::optional<LoadedPicture> picture;
  std::optional<LoadedSkin> skin;
  std::optional<CodeImage> line;
  if (parser.isSet(text_option)) {
    if (document->kind != FileKind::SkinFile) {
      return UsageError(kCommand, QStringLiteral("--text is for skin files"));
    }
    skin = SkinOf(std::move(*document));
    const QList<uint> code_points = parser.value(text_option).toUcs4();
    auto drawn = DrawTextLine(skin->skin, std::u32string(code_points.begin(), code_points.end()));
    if (!drawn) return Refuse(path, drawn.error().message);
    line = std::move(*drawn);
    rows.push_back(
        {Block{line->width, line->height, [&line](int x, int y) { return int{line->At(x, y)}; }}});
  } else if (document->kind == FileKind::SkinFile) {
    skin = SkinOf(std::move(*document));
    const TSkinIcon* chosen = nullptr;
    for (const TSkinIcon& icon : skin->skin.Icons()) {
      if (wanted_id && (icon.IconID & 0xFF) != *wanted_id) continue;
      chosen = &icon;
      std::vector<Block> row;
      for (int s = 0; s < icon.SubIcons; ++s) {
        if (!wanted_sub || *wanted_sub == s + 1) row.push_back(SubIconBlock(icon, s));
      }
      rows.push_back(std::move(row));
      if (wanted_id) break;
    }
    if (wanted_id && chosen == nullptr) {
      return Refuse(path,
                    QStringLiteral("holds no icon with the ID %1").arg(parser.value(icon_option)));
    }
    if (wanted_sub && *wanted_sub > chosen->SubIcons) {
      return Refuse(path, QStringLiteral("icon %1 has %2 sub-icons, not %3")
                              .arg(QString::fromStdString(IconLabel(*chosen)))
                              .arg(chosen->SubIcons)
                              .arg(*wanted_sub));
    }
  } else {
    if (wanted_id) return UsageError(kCommand, QStringLiteral("--icon is for skin files"));
    picture = PictureOf(path, std::get<PictureDocument>(document->content));
    if (!picture) return ExitRefused;
    const Picture& p = picture->picture;
    rows.push_back(
        {Block{p.Width, p.Height, [&p](int x, int y) { return ToInt(p.Cells.At(x + 1, y + 1)); }}});
  }

  const SheetSize size = SizeOf(rows, layout);
  const QString sheet = QStringLiteral("%1 x %2 pixels").arg(size.width).arg(size.height);
  if (size.width * size.height > kMaxSheetPixels) {
    return Refuse(path, QStringLiteral("the sheet would be %1, more than the %2 (4096 x 4096) a "
                                       "render makes; give a smaller --scale or one --icon")
                            .arg(sheet)
                            .arg(kMaxSheetPixels));
  }
  const QImage image = DrawSheet(rows, layout, size);
  if (image.isNull()) return Refuse(path, QStringLiteral("no memory for a sheet of %1").arg(sheet));
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(image)) return Refuse(parser.value(output), writer.errorString());
  const QByteArray png = buffer.data();
  return WriteOutput(OutputTo(parser.value(output), true),
                     std::string_view(png.constData(), static_cast<std::size_t>(png.size())))
             ? ExitOk
             : ExitRefused;
}

}  // namespace pictavo::cli

int PictavoCliRender(const QStringList& arguments) {
  return pictavo::cli::RunRenderCommand(arguments);
}
