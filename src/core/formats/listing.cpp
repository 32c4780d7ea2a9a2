#include "core/formats/listing.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/formats/pack_pixels.h"
#include "core/formats/text_append.h"

namespace pictavo {

namespace {

constexpr std::string_view Eol = "\r\n";
constexpr std::string_view CppHeader = "/*Created by DravikPictavo */";
constexpr std::string_view MonoHeader = "/*C++ format*/";
constexpr std::string_view LabelSeparator = ": ";
constexpr std::string_view ByteDirective = ".byte ";
constexpr std::string_view SizeComment = "  /* Image size*/";
// Mono array groups hold this many values each.
constexpr int MonoGroupSize = 25;

std::string_view DepthHeader(int depth) {
  switch (depth) {
    case 1:
      return "/* format 1 bit per pixel */";
    case 2:
      return "/* format 2 bits per pixel */";
    case 4:
      return "/* format 4 bits per pixel */";
    default:
      return "/* format 8 bits per pixel */";
  }
}

int DepthOf(ListingFormat format) {
  switch (format) {
    case ListingFormat::Asm1:
      return 1;
    case ListingFormat::Asm2:
      return 2;
    case ListingFormat::Asm4:
      return 4;
    default:
      return 8;
  }
}

void AppendDecimal(std::string& out, int value) {
  // Codes are single digits; only sizes and packed bytes need more.
  if (value >= 0 && value < 10) {
    out += static_cast<char>('0' + value);
    return;
  }
  char digits[12];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}


std::uint8_t CodeByte(CodeGridView source, int x, int y) {
  return static_cast<std::uint8_t>(source.At(x, y));
}

// Header line, label line and the size line without its line end.
void AppendAsmHead(std::string& out, std::string_view header, std::string_view name,
                   CodeGridView source) {
  out += header;
  out += Eol;
  out += name;
  out += LabelSeparator;
  out += Eol;
  out += ByteDirective;
  AppendDecimal(out, source.Width());
  out += ',';
  AppendDecimal(out, source.Height());
  out += SizeComment;
}

void AppendPackedListing(std::string& out, CodeGridView source, std::string_view name, int depth,
                         bool align) {
  AppendAsmHead(out, DepthHeader(depth), name, source);
  const std::vector<std::uint8_t> bytes = PackPixels(source, depth, align);
  out += Eol;
  out += ByteDirective;
  // Values per line follow the width alone, also when aligned rows take more.
  const std::size_t per_line = static_cast<std::size_t>(source.Width() / (8 / depth));
  std::size_t on_line = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    AppendHex(out, bytes[i]);
    ++on_line;
    if (i + 1 == bytes.size()) break;
    if (on_line == per_line) {
      out += Eol;
      out += ByteDirective;
      on_line = 0;
    } else {
      out += ',';
    }
  }
  out += Eol;
}

void AppendByteListing(std::string& out, CodeGridView source, std::string_view name) {
  AppendAsmHead(out, DepthHeader(8), name, source);
  for (int y = 1; y <= source.Height(); ++y) {
    out += Eol;
    out += ByteDirective;
    for (int x = 1; x <= source.Width(); ++x) {
      if (x > 1) out += ',';
      AppendHex(out, CodeByte(source, x, y));
    }
  }
  out += Eol;
}

// name[W][H]={ and its line end.
void AppendArrayOpening(std::string& out, std::string_view name, CodeGridView source) {
  out += name;
  out += '[';
  AppendDecimal(out, source.Width());
  out += "][";
  AppendDecimal(out, source.Height());
  out += "]={";
  out += Eol;
}

void AppendCppListing(std::string& out, CodeGridView source, std::string_view name) {
  out += CppHeader;
  out += Eol;
  AppendArrayOpening(out, name, source);
  for (int y = 1; y <= source.Height(); ++y) {
    out += '{';
    for (int x = 1; x <= source.Width(); ++x) {
      if (x > 1) out += ',';
      AppendDecimal(out, CodeByte(source, x, y));
    }
    out += '}';
    out += Eol;
  }
  out += '}';
}

void AppendMonoArray(std::string& out, CodeGridView picture, std::string_view name) {
  out += MonoHeader;
  out += Eol;
  out += DepthHeader(1);
  out += Eol;
  AppendArrayOpening(out, name, picture);
  out += Eol;
  out += '{';
  const std::vector<std::uint8_t> bytes = PackPixels(picture, 1, false);
  int in_group = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    AppendDecimal(out, bytes[i]);
    ++in_group;
    if (i + 1 == bytes.size()) break;
    if (in_group == MonoGroupSize) {
      out += '}';
      out += Eol;
      out += '{';
      in_group = 0;
    } else {
      out += ',';
    }
  }
  out += '}';
  out += Eol;
}

void AppendListing(std::string& out, CodeGridView source, std::string_view name,
                   ListingFormat format, bool align) {
  switch (format) {
    case ListingFormat::Cpp:
      AppendCppListing(out, source, name);
      break;
    case ListingFormat::Asm8:
      AppendByteListing(out, source, name);
      break;
    case ListingFormat::Asm1:
    case ListingFormat::Asm2:
    case ListingFormat::Asm4:
      AppendPackedListing(out, source, name, DepthOf(format), align);
      break;
  }
}

// Rough upper bounds, so building a large listing allocates once.
std::size_t ListingCapacity(CodeGridView source, std::string_view name) {
  const std::size_t pixels = static_cast<std::size_t>(source.Width()) * source.Height();
  return 160 + 2 * name.size() + 5 * pixels + 12 * static_cast<std::size_t>(source.Height());
}

}  // namespace

std::optional<ListingFormat> ListingFormatFromRadioIndex(int index) {
  switch (index) {
    case 0:
      return ListingFormat::Cpp;
    case 1:
      return ListingFormat::Asm1;
    case 2:
      return ListingFormat::Asm2;
    case 3:
      return ListingFormat::Asm4;
    case 4:
      return ListingFormat::Asm8;
    default:
      return std::nullopt;
  }
}

std::string BuildListing(CodeGridView source, std::string_view name, ListingFormat format,
                         bool align) {
  std::string out;
  out.reserve(ListingCapacity(source, name));
  AppendListing(out, source, name, format, align);
  return out;
}

std::string MonoArrayListing(CodeGridView picture, std::string_view name) {
  std::string out;
  out.reserve(ListingCapacity(picture, name));
  AppendMonoArray(out, picture, name);
  return out;
}

std::string AsmFileListing(CodeGridView picture, std::string_view name) {
  std::string out;
  out.reserve(ListingCapacity(picture, name));
  AppendAsmHead(out, CppHeader, name, picture);
  for (int y = 1; y <= picture.Height(); ++y) {
    out += Eol;
    out += ByteDirective;
    for (int x = 1; x <= picture.Width(); ++x) {
      if (x > 1) out += ',';
      // The tools only make single-digit codes; anything larger keeps all its digits.
      AppendDecimal(out, CodeByte(picture, x, y));
    }
  }
  out += Eol;
  return out;
}

std::string PictureClipboardText(CodeGridView picture, std::string_view name, ListingFormat format,
                                 bool align) {
  std::string out;
  out.reserve(2 * ListingCapacity(picture, name));
  AppendListing(out, picture, name, format, align);
  AppendMonoArray(out, picture, name);
  return out;
}

}  // namespace pictavo
