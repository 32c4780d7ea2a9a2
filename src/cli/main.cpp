// pictavo-cli: Pictavo's outputs without a window, for build pipelines. Every
// command calls the same core functions as the window's commands.
#include <cstdio>

#include <QCoreApplication>
#include <QStringList>

#include "cli/cli_support.h"
#include "cli/commands.h"

namespace {

const char kHelp[] =
    "Usage: pictavo-cli COMMAND [options]\n"
    "Pictavo's outputs without a window: the same bytes as the window's commands.\n"
    "\n"
    "Commands:\n"
    "  export PICTURE.ptv... --format cpp|asm1|asm2|asm4|asm8|asmfile\n"
    "         [--align] [-o OUT | --append OUT | --out-dir DIR]\n"
    "                      source text, as the clipboard buttons and the asm file commands\n"
    "  export PICTURE.ptv... --format c1|c2|c4|c8|gas1|gas2|gas4|gas8|xbm [--align]\n"
    "         [--bit-order lsb|msb] [--layout rows|pages] [--symbol NAME]\n"
    "         [-o OUT | --append OUT | --out-dir DIR]\n"
    "                      a C header, a GNU as source or an X bitmap (docs/formats.md)\n"
    "  export PICTURE.ptv... --format ptv [-o OUT | --out-dir DIR]\n"
    "                      the picture file itself; - reads standard input\n"
    "  convert IMAGE -o OUT [--format FORMAT] [--threshold 1..200|auto] [--name NAME]\n"
    "         [--dither METHOD] [--levels G0,G1,G2,G3] [--fit [--fill]] [--region X,Y]\n"
    "         [--keep-transparency | --no-keep-transparency] [--depth 1|2|4|8]\n"
    "         [--align] [--bit-order lsb|msb] [--layout rows|pages] [--symbol NAME]\n"
    "  convert IMAGE --frames --skin SKIN.skin --icon ID -o OUT.skin [same options]\n"
    "                      a picture from an image, as the bitmap import window, written\n"
    "                      as --format or OUT's suffix says (.h, .s, .xbm, .ptv)\n"
    "  convert SKIN-TABLE -o OUT.skin [--name NAME]\n"
    "                      a skin from a text skin export wrote\n"
    "  convert SOURCE-TEXT -o OUT [--format FORMAT] [--name NAME] [--size WxH]\n"
    "         [--depth 1|2|4|8] [--bit-order lsb|msb] [--layout rows|pages] [--align]\n"
    "         [--invert] [--skip N] [--symbol NAME]\n"
    "                      a picture from a text the program wrote or another tool's\n"
    "                      array (docs/formats.md, \"Arrays from other tools\")\n"
    "  render PICTURE.ptv|SKIN.skin -o OUT.png [--scale N] [--icon ID [--sub N]] [--grid]\n"
    "                      a PNG in the display colours\n"
    "  render SKIN.skin --text TEXT -o OUT.png [--scale N] [--grid]\n"
    "                      a line of text drawn with a glyph skin's icons\n"
    "  font FONT -o OUT.skin [--size PX] [--height H] [--width W] [--depth 1|2]\n"
    "         [--levels G0,G1,G2,G3] [--invert] [--transparent] [--hinting MODE]\n"
    "         [--chars SET | --chars-file FILE] [--ids-from N] [--name NAME]\n"
    "  font FONT --info [--size PX] [--chars SET]\n"
    "                      a TrueType, OpenType, BDF or PCF font as a skin of glyph\n"
    "                      icons (docs/fonts.md), or what the font holds\n"
    "  skin list SKIN.skin [--json]\n"
    "                      the icons of a skin and its stream length\n"
    "  skin extract SKIN.skin --out-dir DIR\n"
    "                      one picture file per sub-icon and a manifest\n"
    "  skin pack MANIFEST -o SKIN.skin\n"
    "                      a skin from a manifest\n"
    "  skin export SKIN.skin --format c|gas|skin-bytes-c|skin-bytes-gas [--depth 1|2|4|8]\n"
    "         [--align] [--bit-order lsb|msb] [--layout rows|pages] [--lookup]\n"
    "         [--symbol NAME] [-o OUT]\n"
    "                      the whole skin as a C header or GNU as source: every frame,\n"
    "                      an index of the icons and a lookup by ID, or the file's bytes\n"
    "  history list | history restore N -o FILE\n"
    "                      the window's local history of work it replaced or left unsaved\n"
    "\n"
    "Options:\n"
    "  -h, --help          this help; COMMAND --help for a command's own\n"
    "  -v, --version       the version\n"
    "\n"
    "Exit status: 0 done, 1 an input or output refused (the reason on standard error),\n"
    "2 wrong usage.\n";

const char kSkinHelp[] =
    "Usage: pictavo-cli skin list|extract|pack|export ...\n"
    "  skin list SKIN.skin [--json]\n"
    "  skin extract SKIN.skin --out-dir DIR\n"
    "  skin pack MANIFEST -o SKIN.skin\n"
    "  skin export SKIN.skin --format FORMAT [-o OUT]\n"
    "Each takes --help.\n";

int Print(const char* text) {
  std::fputs(text, stdout);
  return pictavo::cli::ExitOk;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("pictavo-cli"));
  QCoreApplication::setApplicationVersion(QStringLiteral(PICTAVO_VERSION));
  using namespace pictavo::cli;

  QStringList arguments = QCoreApplication::arguments();
  const QString program = arguments.isEmpty() ? QStringLiteral("pictavo-cli") : arguments.front();
  const QString command = arguments.value(1);
  if (command.isEmpty()) return UsageError(QString(), QStringLiteral("no command given"));
  if (command == QLatin1String("-h") || command == QLatin1String("--help") ||
      command == QLatin1String("help")) {
    return Print(kHelp);
  }
  if (command == QLatin1String("-v") || command == QLatin1String("--version")) {
    std::printf("pictavo-cli %s\n", PICTAVO_VERSION);
    return ExitOk;
  }

  // The command's own arguments, behind the program name as a parser wants them.
  const auto rest = [&](int skip) { return QStringList{program} + arguments.mid(1 + skip); };
  if (command == QLatin1String("export")) return RunExport(rest(1));
  if (command == QLatin1String("convert")) return RunConvert(rest(1));
  if (command == QLatin1String("render")) return RunRender(rest(1));
  if (command == QLatin1String("font")) return RunFont(rest(1));
  if (command == QLatin1String("skin")) {
    const QString action = arguments.value(2);
    if (action == QLatin1String("list")) return RunSkinList(rest(2));
    if (action == QLatin1String("extract")) return RunSkinExtract(rest(2));
    if (action == QLatin1String("pack")) return RunSkinPack(rest(2));
    if (action == QLatin1String("export")) return RunSkinExport(rest(2));
    if (action == QLatin1String("-h") || action == QLatin1String("--help")) return Print(kSkinHelp);
    return UsageError(QStringLiteral("skin"),
                      action.isEmpty() ? QStringLiteral("skin needs list, extract, pack or export")
                                       : QStringLiteral("unknown skin command \"%1\"").arg(action));
  }
  if (command == QLatin1String("history")) {
    const QString action = arguments.value(2);
    if (action == QLatin1String("list")) return RunHistoryList(rest(2));
    if (action == QLatin1String("restore")) return RunHistoryRestore(rest(2));
    return UsageError(QStringLiteral("history"), QStringLiteral("history needs list or restore"));
  }
  return UsageError(QString(), QStringLiteral("unknown command \"%1\"").arg(command));
}
