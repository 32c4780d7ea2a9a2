#include "ui/dialogs/export_memory.h"

#include <QCoreApplication>
#include <QSettings>

namespace pictavo {

namespace {

bool HasSettings() { return !QCoreApplication::organizationName().isEmpty(); }

ExportSetting ReadSetting(const QSettings& settings) {
  ExportSetting setting;
  const std::string format = settings.value(QStringLiteral("format")).toString().toStdString();
  if (FindExportFormat(format) != nullptr ||
      FindExportFormat(format, ExportSource::Skin) != nullptr) {
    setting.format = format;
  }
  setting.choices.align = settings.value(QStringLiteral("align"), false).toBool();
  if (settings.value(QStringLiteral("bitOrder")).toString() == QLatin1String("msb")) {
    setting.choices.order = BitOrder::Msb;
  }
  if (settings.value(QStringLiteral("layout")).toString() == QLatin1String("pages")) {
    setting.choices.layout = ByteLayout::Pages;
  }
  const int depth = settings.value(QStringLiteral("skinDepth"), 0).toInt();
  if (depth == 1 || depth == 2 || depth == 4 || depth == 8) setting.choices.depth = depth;
  setting.choices.lookup = settings.value(QStringLiteral("lookup"), false).toBool();
  return setting;
}

void WriteSetting(QSettings& settings, const ExportSetting& setting) {
  settings.setValue(QStringLiteral("format"), QString::fromStdString(setting.format));
  settings.setValue(QStringLiteral("align"), setting.choices.align);
  settings.setValue(QStringLiteral("bitOrder"), setting.choices.order == BitOrder::Msb
                                                    ? QStringLiteral("msb")
                                                    : QStringLiteral("lsb"));
  settings.setValue(QStringLiteral("layout"), setting.choices.layout == ByteLayout::Pages
                                                  ? QStringLiteral("pages")
                                                  : QStringLiteral("rows"));
  settings.setValue(QStringLiteral("skinDepth"), setting.choices.depth);
  settings.setValue(QStringLiteral("lookup"), setting.choices.lookup);
}

}  // namespace

ExportMemory RecallExportMemory() {
  ExportMemory memory;
  if (!HasSettings()) return memory;
  QSettings settings;
  settings.beginGroup(QStringLiteral("export"));
  memory.last = ReadSetting(settings);
  const int count = settings.beginReadArray(QStringLiteral("presets"));
  for (int i = 0; i < count; ++i) {
    settings.setArrayIndex(i);
    const QString name = settings.value(QStringLiteral("name")).toString();
    if (!name.isEmpty()) memory.presets.push_back({name, ReadSetting(settings)});
  }
  settings.endArray();
  return memory;
}

void StoreExportMemory(const ExportMemory& memory) {
  if (!HasSettings()) return;
  QSettings settings;
  settings.beginGroup(QStringLiteral("export"));
  WriteSetting(settings, memory.last);
  settings.remove(QStringLiteral("presets"));
  settings.beginWriteArray(QStringLiteral("presets"), static_cast<int>(memory.presets.size()));
  for (std::size_t i = 0; i < memory.presets.size(); ++i) {
    settings.setArrayIndex(static_cast<int>(i));
    settings.setValue(QStringLiteral("name"), memory.presets[i].name);
    WriteSetting(settings, memory.presets[i].setting);
  }
  settings.endArray();
}

}  // namespace pictavo
