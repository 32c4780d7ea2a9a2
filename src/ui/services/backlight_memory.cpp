#include "ui/services/backlight_memory.h"

#include <array>

#include <QColor>
#include <QCoreApplication>
#include <QSettings>

namespace pictavo {

namespace {

constexpr std::array<BacklightPreset, 6> kPresets{{
    {"none", "None (plain grays)", std::nullopt},
    {"green", "Green", Rgb{155, 188, 15}},
    {"pale-green", "Pale green", Rgb{199, 240, 216}},
    {"amber", "Amber", Rgb{255, 176, 0}},
    {"blue", "Blue", Rgb{110, 170, 255}},
    {"white", "White", Rgb{235, 240, 255}},
}};

const QString kKey = QStringLiteral("devicePreview/backlight");

bool HasSettings() { return !QCoreApplication::organizationName().isEmpty(); }

}  // namespace

std::span<const BacklightPreset> BacklightPresets() { return kPresets; }

std::optional<Rgb> RecallBacklight() {
  if (!HasSettings()) return std::nullopt;
  const QString stored = QSettings().value(kKey).toString();
  for (const BacklightPreset& preset : kPresets) {
    if (stored == QLatin1String(preset.key)) return preset.color;
  }
  const QColor color = QColor::fromString(stored);
  if (!stored.startsWith(QLatin1Char('#')) || !color.isValid()) return std::nullopt;
  return Rgb{static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
             static_cast<std::uint8_t>(color.blue())};
}

void StoreBacklight(const std::optional<Rgb>& color) {
  if (!HasSettings()) return;
  QString value;
  for (const BacklightPreset& preset : kPresets) {
    if (preset.color == color) value = QLatin1String(preset.key);
  }
  if (value.isEmpty() && color) value = QColor(color->r, color->g, color->b).name();
  QSettings().setValue(kKey, value);
}

}  // namespace pictavo
