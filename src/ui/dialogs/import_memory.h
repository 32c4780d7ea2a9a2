#pragma once

#include <QString>

#include "core/imaging/dithering.h"

namespace pictavo {

// The import window's choices that last from one run to the next. A fresh
// one holds what the window starts with on the first run.
struct ImportMemory {
  DitherMethod dither = DitherMethod::None;
  bool fit = false;
  bool fill = false;
  bool keep_transparency = true;
  GrayLevels levels = ShownGrays;
  QString folder;  // where the last image was opened; empty: the dialog's own start

  friend bool operator==(const ImportMemory&, const ImportMemory&) = default;
};

// The stored choices, or a fresh set. Settings are read and written only
// once the application has an organisation name, so a program or test that
// never sets one leaves the user's settings alone.
ImportMemory RecallImportMemory();
void StoreImportMemory(const ImportMemory& memory);

}  // namespace pictavo
