// convert and render: run from the image module, loaded here on first use.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/images/image_commands.h"

namespace pictavo::cli {

namespace {

using Command = int (*)(const QStringList&);

// Beside the program in a build; installed, in PICTAVO_CLI_MODULE_DIR
// relative to it.
int RunFromModule(const char* symbol, const QStringList& arguments) {
  const QDir program(QCoreApplication::applicationDirPath());
  const QStringList places = {program.filePath(QLatin1String(PictavoCliImagesModule)),
                              program.filePath(QStringLiteral(PICTAVO_CLI_MODULE_DIR "/") +
                                               QLatin1String(PictavoCliImagesModule))};
  QString reason;
  for (const QString& place : places) {
    if (!QFileInfo::exists(place)) continue;
    QLibrary module(place);
    if (auto command = reinterpret_cast<Command>(module.resolve(symbol))) return command(arguments);
    reason = module.errorString();
  }
  if (reason.isEmpty()) {
    reason = QStringLiteral("not found beside the program or in %1").arg(places.back());
  }
  return Refuse(QLatin1String(PictavoCliImagesModule),
                QStringLiteral("the image commands cannot be loaded: %1").arg(reason));
}

}  // namespace

int RunConvert(const QStringList& arguments) {
  return RunFromModule("PictavoCliConvert", arguments);
}

int RunRender(const QStringList& arguments) { return RunFromModule("PictavoCliRender", arguments); }

}  // namespace pictavo::cli
