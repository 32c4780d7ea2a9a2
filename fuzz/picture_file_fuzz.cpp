#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "core/editing/editor_state.h"
#include "core/model/picture.h"
#include "core/formats/picture_file.h"
#include "core/formats/text_mode.h"

namespace {

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "picture file invariant broken: %s\n", what);
    std::abort();
  }
}

}  // namespace

// Any bytes: the reader either refuses them or gives a record that the editor
// can hold, and that record survives a write and a second read unchanged.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pictavo;
  // One state for the whole run: the cells outside each record keep what
  // earlier inputs left, as they do in the editor.
  static const auto state = std::make_unique<EditorState>();
  const std::span<const std::uint8_t> input(data, size);

  Check(
      FromStoredForm(ToStoredForm(input)) == std::vector<std::uint8_t>(input.begin(), input.end()),
      "text-mode translation does not round-trip");

  const auto record = ReadPictureFile(input);
  if (!record.has_value()) {
    Check(!record.error().message.empty(), "refusal without a message");
    return 0;
  }
  Check(FitsPicture(*record), "accepted record does not fit the picture");

  ApplyPictureRecord(state->Document.Picture, *record);
  const Picture& picture = state->Document.Picture;
  Check(picture.Width >= 1 && picture.Width <= MaxPictureWidth, "width outside 1..96");
  Check(picture.Height >= 1 && picture.Height <= MaxPictureHeight, "height outside 1..92");
  Check(picture.Width == record->width && picture.Height == record->height, "size not applied");
  for (int y = 1; y <= MaxPictureHeight; ++y) {
    for (int x = 1; x <= MaxPictureWidth; ++x) {
      Check(IsPixelCode(ToInt(picture.Cells.At(x, y))), "cell code outside 0..4");
    }
  }

  const auto again = ReadPictureFile(WritePictureFile(ViewOf(picture), record->name));
  Check(again.has_value() && *again == *record, "written record does not read back");
  return 0;
}
