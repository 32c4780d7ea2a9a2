#pragma once

#include <QString>

#include "core/imaging/bitmap_import.h"

namespace pictavo::cli {

// convert --frames: every frame the import holds becomes one sub-icon of the
// first icon with `icon_id` in the skin file, as "Import frames" makes them,
// and the skin is written to `output` ("-" for standard output). Returns the
// exit status, having printed why on failure.
int WriteFramesIntoSkin(const BitmapImport& import, const QString& image, const QString& skin_path,
                        int icon_id, const QString& output);

}  // namespace pictavo::cli
