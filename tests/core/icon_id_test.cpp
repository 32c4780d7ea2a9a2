#include <gtest/gtest.h>

#include <optional>

#include "core/formats/icon_id.h"

namespace pictavo {
namespace {

// Every command (render, convert, the skin manifest) reads IDs this way; the
// Add Icon box's wider rules are checked with the dialog.
TEST(ParseStreamIconId, DecimalOrHexFrom0To254AndNothingElse) {
  const struct {
    const char* text;
    std::optional<int> id;
  } cases[] = {
      {"0", 0},     {"10", 10},   {"0010", 10},  {"254", 254},
      {"0x0A", 10}, {"0X0a", 10}, {"0xfe", 254}, {"0x00FE", 254},
      {"255", {}},  {"0xFF", {}}, {"0x100", {}}, {"99999999999999999999999", {}},
      {"", {}},     {"0x", {}},   {"-0", {}},    {"+10", {}},
      {" 10", {}},  {"10 ", {}},  {"$0A", {}},   {"x0A", {}},
      {"0A", {}},   {"0x-1", {}}, {"0x0x1", {}}, {"1e1", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseStreamIconId(c.text), c.id) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace pictavo
