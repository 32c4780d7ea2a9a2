#pragma once

#include <string>
#include <vector>

#include <QString>

#include "core/documents/export_catalogue.h"

namespace pictavo {

// The Export window's format and options (never the symbol, which is the
// picture's own).
struct ExportSetting {
  std::string format = "asm1";  // a name of the catalogue, as --format takes it
  ExportChoices choices;
};

struct ExportPreset {
  QString name;
  ExportSetting setting;
};

// What the Export window keeps from one run to the next: its last format and
// options, and the presets the user named.
struct ExportMemory {
  ExportSetting last;
  std::vector<ExportPreset> presets;
};

// The stored memory, or a fresh one (what the window starts with on the
// first run). As the import's memory, read and written only once the
// application has an organisation name; anything unreadable keeps its
// first-run value.
ExportMemory RecallExportMemory();
void StoreExportMemory(const ExportMemory& memory);

}  // namespace pictavo
