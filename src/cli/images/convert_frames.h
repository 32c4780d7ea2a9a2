#pragma once

#include <optional>

#include <QString>

#include "core/editing/bitmap_import.h"

namespace pictavo::cli {

// An icon ID as the lists show it ("0x0A") or as a number (10); nullopt for
// anything else or a value outside 0..254.
std::optional<int> IconIdArgument(const QString& text);

// convert --frames: every frame the import holds becomes one sub-icon of the
// first icon with `icon_id` in the skin file, as "Import frames" makes them,
// and the skin is written to `output` ("-" for standard output). Returns the
// exit status, having printed why on failure.
int WriteFramesIntoSkin(const BitmapImport& import, const QString& image, const QString& skin_path,
                        int icon_id, const QString& output);

}  // namespace pictavo::cli
