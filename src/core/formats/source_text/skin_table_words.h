#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/formats/packing_order.h"

namespace pictavo {

// How a skin table packs its frames: `depth` 0 is each icon at its own.
struct SkinTablePacking {
  int depth = 0;
  bool aligned = false;
  BitOrder order = BitOrder::Lsb;
  ByteLayout layout = ByteLayout::Rows;
  friend bool operator==(const SkinTablePacking&, const SkinTablePacking&) = default;
};

// The first line of a table, which the reader reads back: "font: skin
// \"Sans 16\" of 95 icons, each at its own depth, rows follow each other,
// first pixel in the lowest bits". The name is quoted with every byte that
// is not printable ASCII, and " \\ * /, as an octal escape (\052), so that
// no name can end the comment or open another.
std::string SkinTableSentence(std::string_view symbol, std::string_view name, std::size_t icons,
                              const SkinTablePacking& packing);
// "font: skin file of 1234 bytes, as \"SaveSkin...\" writes it".
std::string SkinBytesSentence(std::string_view symbol, std::size_t bytes);

// What such a line says, or nothing when it is neither.
struct TableStatement {
  bool skin_bytes = false;
  std::string symbol;
  std::string name;
  std::size_t count = 0;  // icons, or bytes
  SkinTablePacking packing;
};
std::optional<TableStatement> ReadTableStatement(std::string_view comment);

}  // namespace pictavo
