// Feeds arbitrary text to the Add Icon dialog's ID box. The reading must
// agree with a second, plainly written reader of the same rules, and OK must
// accept exactly the IDs 1..254 whenever the icon's size packs into bytes.

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "core/editing/add_icon.h"
#include "core/formats/icon_id.h"
#include "core/model/picture.h"

namespace {

using namespace pictavo;

void Require(bool condition, const char* what, std::string_view text) {
  if (!condition) {
    std::fprintf(stderr, "icon ID invariant broken: %s, text of %zu bytes:", what, text.size());
    for (const char c : text) std::fprintf(stderr, " %02X", static_cast<unsigned char>(c));
    std::fprintf(stderr, "\n");
    std::abort();
  }
}

// Where a long number stops growing: once its digits so far reach this, the
// rest are only checked.
constexpr unsigned long long Saturation = 1ULL << 40;

// The rules of the ID box, read one step at a time: blanks (spaces and
// tabs), an optional sign, a hex introducer or none, then nothing but digits
// of that base.
long long ReferenceIconId(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return 0;
  text.remove_prefix(first);

  bool negative = false;
  if (text.starts_with('+') || text.starts_with('-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }

  int base = 10;
  for (const std::string_view introducer : {"$", "0x", "0X", "x", "X"}) {
    if (text.starts_with(introducer)) {
      base = 16;
      text.remove_prefix(introducer.size());
      break;
    }
  }

  const std::string_view digits = base == 16 ? "0123456789abcdefABCDEF" : "0123456789";
  if (text.empty() || text.find_first_not_of(digits) != std::string_view::npos) return 0;

  const std::size_t significant = text.find_first_not_of('0');
  if (significant == std::string_view::npos) return 0;
  text.remove_prefix(significant);

  // The value is that of the shortest run of leading digits that reaches the
  // saturation, or of all digits if none does. 14 significant digits always
  // reach it in either base, so every run read here fits 64 bits.
  unsigned long long value = 0;
  for (std::size_t length = 1; length <= text.size(); ++length) {
    const auto [end, status] = std::from_chars(text.data(), text.data() + length, value, base);
    if (status != std::errc() || end != text.data() + length) std::abort();
    if (value >= Saturation) break;
  }
  const auto magnitude = static_cast<long long>(value);
  return negative ? -magnitude : magnitude;
}

// The commands' form: decimal digits, or hexadecimal ones after 0x or 0X.
bool CommandForm(std::string_view text) {
  std::string_view digits = "0123456789";
  if (text.starts_with("0x") || text.starts_with("0X")) {
    text.remove_prefix(2);
    digits = "0123456789abcdefABCDEF";
  }
  return !text.empty() && text.find_first_not_of(digits) == std::string_view::npos;
}

// OK on `model` with `text`, against what the rules expect.
void CheckValidate(AddIconModel& model, std::string_view text, long long id) {
  const TSkinIcon& icon = model.Icon();
  const bool packs = icon.Width * icon.Height * icon.BPP % 8 == 0;
  const bool id_ok = id >= 1 && id <= 254;
  const int id_before = icon.IconID;

  const AddIconCheck check = model.Validate(text);
  if (!id_ok) {
    Require(check == AddIconCheck::InvalidId, "an ID outside 1..254 is refused first", text);
    Require(AddIconCheckText(check) == "Invalid icon ID", "ID refusal text", text);
  } else if (!packs) {
    Require(check == AddIconCheck::InvalidPacking, "a size that does not pack is refused", text);
    Require(AddIconCheckText(check) == "Width * Height * BPP must divide by 8.",
            "packing refusal text", text);
  } else {
    Require(check == AddIconCheck::Accepted, "an ID in 1..254 with a packing size is taken", text);
    Require(AddIconCheckText(check).empty(), "no text for an accepted icon", text);
  }
  Require(model.Icon().IconID == (check == AddIconCheck::Accepted ? id : id_before),
          "only an accepted OK sets the ID", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const long long id = ParseIconId(text);
  Require(id == ReferenceIconId(text), "the ID reads as the rules say", text);

  // The commands take their form only, 0..254, and read it as the box does.
  const std::optional<int> command_id = ParseStreamIconId(text);
  Require(command_id.has_value() == (CommandForm(text) && id >= 0 && id <= 254),
          "a command takes exactly its form within 0..254", text);
  Require(!command_id || *command_id == id, "a command reads the ID as the box does", text);

  // The dialog as first shown: 4 x 4 at 4 bits packs.
  AddIconModel first;
  CheckValidate(first, text, id);

  // 3 x 3 at 4 bits does not pack.
  AddIconModel odd;
  odd.WidthDown();
  odd.HeightDown();
  CheckValidate(odd, text, id);

  // Arrows pressed as the text's bytes say, then OK.
  AddIconModel pressed;
  for (std::size_t i = 0; i < size && i < 64; ++i) {
    switch (data[i] % 8) {
      case 0:
        pressed.WidthUp();
        break;
      case 1:
        pressed.WidthDown();
        break;
      case 2:
        pressed.HeightUp();
        break;
      case 3:
        pressed.HeightDown();
        break;
      case 4:
        pressed.BppUp();
        break;
      case 5:
        pressed.BppDown();
        break;
      case 6:
        pressed.SubIconsUp();
        break;
      case 7:
        pressed.SubIconsDown();
        break;
    }
  }
  const TSkinIcon& icon = pressed.Icon();
  Require(icon.Width >= 1 && icon.Width <= MaxPictureWidth, "width within 1..96", text);
  Require(icon.Height >= 1 && icon.Height <= MaxPictureHeight, "height within 1..92", text);
  Require(icon.BPP == 1 || icon.BPP == 2 || icon.BPP == 4, "depth 1, 2 or 4", text);
  Require(icon.SubIcons >= 1, "at least one sub-icon", text);
  CheckValidate(pressed, text, id);
  return 0;
}
