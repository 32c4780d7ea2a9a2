#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <QString>

#include "core/model/skin.h"

namespace pictavo::cli {

// A skin file read as "OpenSkin..." reads it.
struct LoadedSkin {
  Skin skin;
  std::string name;
  std::uintmax_t file_size = 0;
};

// Reads and checks a skin file; on failure prints why, naming the file.
std::optional<LoadedSkin> LoadSkin(const QString& path);

}  // namespace pictavo::cli
