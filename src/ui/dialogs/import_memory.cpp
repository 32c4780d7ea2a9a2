#include "ui/dialogs/import_memory.h"

#include <optional>
#include <string>

#include <QCoreApplication>
#include <QSettings>

namespace pictavo {

namespace {

bool HasSettings() { return !QCoreApplication::organizationName().isEmpty(); }

}  // namespace

ImportMemory RecallImportMemory() {
  ImportMemory memory;
  if (!HasSettings()) return memory;
  QSettings settings;
  settings.beginGroup(QStringLiteral("import"));
  // Anything unreadable keeps its first-run value.
  const std::string method = settings.value(QStringLiteral("dither")).toString().toStdString();
  memory.dither = DitherFromName(method).value_or(memory.dither);
  memory.fit = settings.value(QStringLiteral("fit"), memory.fit).toBool();
  memory.fill = settings.value(QStringLiteral("fill"), memory.fill).toBool();
  memory.keep_transparency =
      settings.value(QStringLiteral("keepTransparency"), memory.keep_transparency).toBool();
  const std::optional<GrayLevels> levels =
      ParseGrayLevels(settings.value(QStringLiteral("levels")).toString().toStdString());
  memory.levels = levels.value_or(memory.levels);
  memory.folder = settings.value(QStringLiteral("folder")).toString();
  return memory;
}

void StoreImportMemory(const ImportMemory& memory) {
  if (!HasSettings()) return;
  QSettings settings;
  settings.beginGroup(QStringLiteral("import"));
  const std::string_view method = DitherName(memory.dither);
  settings.setValue(QStringLiteral("dither"),
                    QString::fromLatin1(method.data(), qsizetype(method.size())));
  settings.setValue(QStringLiteral("fit"), memory.fit);
  settings.setValue(QStringLiteral("fill"), memory.fill);
  settings.setValue(QStringLiteral("keepTransparency"), memory.keep_transparency);
  settings.setValue(QStringLiteral("levels"),
                    QString::fromStdString(GrayLevelsText(memory.levels)));
  settings.setValue(QStringLiteral("folder"), memory.folder);
}

}  // namespace pictavo
