#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "core/formats/listing.h"
#include "core/formats/picture_file.h"
#include "core/formats/source_text/reader.h"

namespace {

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "source text invariant broken: %s\n", what);
    std::abort();
  }
}

}  // namespace

// Any text: the reader either refuses it with a line number or gives a
// picture the editor can hold, whose C++ listing reads back to the same
// picture.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pictavo;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // An array that gives no size: read with one, and the other options, taken
  // from the first bytes.
  if (size >= 2 && TextWantsSize(text)) {
    const ReadTextOptions options{.size = TextSize{1 + data[0] % 96, 1 + data[1] % 92},
                                  .invert = (data[0] & 1) != 0,
                                  .skip = static_cast<std::size_t>(data[1] % 9)};
    const auto sized = ReadSourceText(text, options);
    Check(sized ? FitsPicture(sized->picture) : sized.error().message.starts_with("Line "),
          "a sized array refused without its line, or beyond the editor");
  }
  const auto read = ReadSourceText(text);
  if (!read) {
    Check(read.error().message.starts_with("Line ") || size > SourceTextReadLimit,
          "refusal without its line");
    return 0;
  }
  Check(FitsPicture(read->picture), "a picture the editor cannot hold");
  Check(read->picture.name.size() <= 16, "a name longer than the name box");
  Picture picture;
  ApplyPictureRecord(picture, read->picture);
  const auto again =
      ReadSourceText(BuildListing(ViewOf(picture), read->picture.name, ListingFormat::Cpp, false));
  Check(again && again->picture.codes == read->picture.codes,
        "the C++ listing reads back otherwise");
  return 0;
}
