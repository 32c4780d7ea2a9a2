#include "core/formats/fonts/font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_FONT_FORMATS_H
#include FT_MODULE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace pictavo {

namespace {

// FreeType's memory goes through this count: a face that asks for more than
// the budget gets an allocation error instead of the machine's memory.
struct MemoryBudget {
  std::size_t used = 0;
  std::size_t limit = FontMemoryBudget;
};

// Each block carries its size in front, so a free knows what it returns.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* BudgetAlloc(FT_Memory memory, long size) {
  auto* budget = static_cast<MemoryBudget*>(memory->user);
  const auto bytes = static_cast<std::size_t>(size);
  if (size <= 0 || bytes > budget->limit - budget->used) return nullptr;
  auto* block = static_cast<unsigned char*>(std::malloc(bytes + kHeader));
  if (block == nullptr) return nullptr;
  std::memcpy(block, &bytes, sizeof bytes);
  budget->used += bytes;
  return block + kHeader;
}

void BudgetFree(FT_Memory memory, void* pointer) {
  if (pointer == nullptr) return;
  auto* block = static_cast<unsigned char*>(pointer) - kHeader;
  std::size_t bytes = 0;
  std::memcpy(&bytes, block, sizeof bytes);
  static_cast<MemoryBudget*>(memory->user)->used -= bytes;
  std::free(block);
}

void* BudgetRealloc(FT_Memory memory, long /*cur_size*/, long new_size, void* pointer) {
  if (pointer == nullptr) return BudgetAlloc(memory, new_size);
  auto* budget = static_cast<MemoryBudget*>(memory->user);
  auto* block = static_cast<unsigned char*>(pointer) - kHeader;
  std::size_t old_bytes = 0;
  std::memcpy(&old_bytes, block, sizeof old_bytes);
  const auto bytes = static_cast<std::size_t>(new_size);
  if (new_size <= 0 || bytes > budget->limit - (budget->used - old_bytes)) return nullptr;
  auto* grown = static_cast<unsigned char*>(std::realloc(block, bytes + kHeader));
  if (grown == nullptr) return nullptr;
  std::memcpy(grown, &bytes, sizeof bytes);
  budget->used = budget->used - old_bytes + bytes;
  return grown + kHeader;
}

bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view signature) {
  return bytes.size() >= signature.size() &&
         std::equal(signature.begin(), signature.end(), bytes.begin(),
                    [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

std::optional<FontFormat> SignatureFormat(std::span<const std::uint8_t> bytes) {
  using namespace std::string_view_literals;
  if (StartsWith(bytes, "\x00\x01\x00\x00"sv) || StartsWith(bytes, "true"sv)) {
    return FontFormat::TrueType;
  }
  if (StartsWith(bytes, "OTTO"sv)) return FontFormat::OpenType;
  if (StartsWith(bytes, "ttcf"sv)) return FontFormat::Collection;
  if (StartsWith(bytes, "STARTFONT "sv)) return FontFormat::Bdf;
  if (StartsWith(bytes,
                 "\x01"
                 "fcp"sv)) {
    return FontFormat::Pcf;
  }
  return std::nullopt;
}

bool IsGzip(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 3 && bytes[0] == 0x1F && bytes[1] == 0x8B && bytes[2] == 8;
}

std::string FreeTypeReason(FT_Error error) {
  char text[96];
  std::snprintf(text, sizeof text, "FreeType error 0x%02X", static_cast<unsigned>(error));
  return text;
}

int RoundPixels(FT_Pos value) { return static_cast<int>((value + 32) >> 6); }

}  // namespace

struct FontFace::State {
  std::vector<std::uint8_t> bytes;
  MemoryBudget budget;
  FT_MemoryRec_ memory{};
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  bool strike = false;

  ~State() {
    if (face != nullptr) FT_Done_Face(face);
    if (library != nullptr) FT_Done_Library(library);
  }
};

std::string_view FontFormatName(FontFormat format) {
  switch (format) {
    case FontFormat::TrueType:
      return "a TrueType font";
    case FontFormat::OpenType:
      return "an OpenType font";
    case FontFormat::Collection:
      return "a TrueType collection";
    case FontFormat::Bdf:
      return "a BDF font";
    case FontFormat::Pcf:
      return "a PCF font";
    case FontFormat::PcfGzip:
      return "a PCF font (gzip-compressed)";
  }
  return "a font";
}

std::optional<FontFormat> SniffFontFormat(std::span<const std::uint8_t> bytes) {
  if (auto format = SignatureFormat(bytes)) return format;
  if (!IsGzip(bytes) || bytes.size() > MaxFontFileSize) return std::nullopt;
  auto face = FontFace::Open(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  if (face && face->Info().format == FontFormat::PcfGzip) return FontFormat::PcfGzip;
  return std::nullopt;
}

std::string_view HintingName(FontHinting hinting) {
  switch (hinting) {
    case FontHinting::None:
      return "none";
    case FontHinting::Light:
      return "light";
    case FontHinting::Normal:
      return "normal";
    case FontHinting::Mono:
      return "mono";
  }
  return {};
}

std::optional<FontHinting> HintingFromName(std::string_view name) {
  for (FontHinting h :
       {FontHinting::None, FontHinting::Light, FontHinting::Normal, FontHinting::Mono}) {
    if (HintingName(h) == name) return h;
  }
  return std::nullopt;
}

FontFace::FontFace(std::unique_ptr<State> state) : state_(std::move(state)) {}
FontFace::FontFace(FontFace&&) noexcept = default;
FontFace& FontFace::operator=(FontFace&&) noexcept = default;
FontFace::~FontFace() = default;

expected<FontFace, Error> FontFace::Open(std::vector<std::uint8_t> bytes) {
  if (bytes.size() > MaxFontFileSize) {
    return unexpected(Error{"the file is larger than the 64 MiB a font may have"});
  }
  std::optional<FontFormat> format = SignatureFormat(bytes);
  const bool gzip = !format && IsGzip(bytes);
  if (!format && !gzip) {
    return unexpected(Error{"not a TrueType, OpenType, BDF or PCF font"});
  }
  if (format == FontFormat::Bdf && bytes.size() > MaxBdfFileSize) {
    return unexpected(Error{"the BDF font is larger than the 16 MiB a text font may have"});
  }

  auto state = std::make_unique<State>();
  state->bytes = std::move(bytes);
  state->memory.user = &state->budget;
  state->memory.alloc = BudgetAlloc;
  state->memory.free = BudgetFree;
  state->memory.realloc = BudgetRealloc;
  if (const FT_Error error = FT_New_Library(&state->memory, &state->library)) {
    return unexpected(Error{"FreeType could not start: " + FreeTypeReason(error)});
  }
  FT_Add_Default_Modules(state->library);
  if (const FT_Error error =
          FT_New_Memory_Face(state->library, state->bytes.data(),
                             static_cast<FT_Long>(state->bytes.size()), 0, &state->face)) {
    state->face = nullptr;
    return unexpected(Error{"the font is damaged or of a kind FreeType does not read (" +
                            FreeTypeReason(error) + ")"});
  }
  FT_Face face = state->face;
  const std::string_view driver = FT_Get_Font_Format(face) ? FT_Get_Font_Format(face) : "";
  if (gzip) {
    if (driver != "PCF") return unexpected(Error{"a gzip-compressed file that holds no PCF font"});
    format = FontFormat::PcfGzip;
  }
  if (driver != "TrueType" && driver != "CFF" && driver != "BDF" && driver != "PCF") {
    return unexpected(Error{"FreeType reads it as a " + std::string(driver) +
                            " font, which is not a kind the program reads"});
  }
  // A font without a Unicode map draws from its own encoding's codes.
  if (face->charmap == nullptr && face->num_charmaps > 0) FT_Set_Charmap(face, face->charmaps[0]);

  FontFace result(std::move(state));
  FontInfo& info = result.info_;
  info.format = *format;
  info.family = face->family_name ? face->family_name : "";
  info.style = face->style_name ? face->style_name : "";
  info.glyph_count = static_cast<int>(face->num_glyphs);
  info.scalable = FT_IS_SCALABLE(face);
  for (int i = 0; i < face->num_fixed_sizes; ++i) {
    const FT_Bitmap_Size& s = face->available_sizes[i];
    const int ppem = RoundPixels(s.y_ppem);
    info.strikes.push_back({s.width, s.height, ppem > 0 ? ppem : s.height});
  }
  return result;
}

bool FontFace::HasChar(char32_t c) const { return FT_Get_Char_Index(state_->face, c) != 0; }

bool FontFace::UsesStrike() const { return state_->strike; }

expected<LineMetrics, Error> FontFace::SetPixelSize(int size) {
  FT_Face face = state_->face;
  state_->strike = false;
  const auto& strikes = info_.strikes;
  auto strike = std::find_if(strikes.begin(), strikes.end(),
                             [size](const FontStrike& s) { return s.ppem == size; });
  if (size == 0 && !strikes.empty()) strike = strikes.begin();
  FT_Error error = 0;
  if (strike != strikes.end()) {
    error = FT_Select_Size(face, static_cast<FT_Int>(strike - strikes.begin()));
    state_->strike = true;
  } else if (info_.scalable && size > 0) {
    error = FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size));
  } else if (!info_.scalable) {
    std::string sizes;
    for (const FontStrike& s : strikes)
      sizes += (sizes.empty() ? "" : ", ") + std::to_string(s.ppem);
    return unexpected(Error{"the bitmap font has no " + std::to_string(size) +
                            " px size; its sizes are " + (sizes.empty() ? "none" : sizes)});
  } else {
    return unexpected(Error{"a size in pixels is needed for an outline font"});
  }
  if (error) {
    return unexpected(Error{"the font cannot be set to " + std::to_string(size) + " px (" +
                            FreeTypeReason(error) + ")"});
  }
  // Rounded outwards: a glyph that reaches the ascender or descender line
  // keeps its last row.
  const long long up = (static_cast<long long>(face->size->metrics.ascender) + 63) >> 6;
  const long long down = (-static_cast<long long>(face->size->metrics.descender) + 63) >> 6;
  if (up > 10000 || down > 10000) {
    return unexpected(Error{"the font's line is absurdly high at that size"});
  }
  return LineMetrics{static_cast<int>(std::max(up, 0LL)), static_cast<int>(std::max(down, 0LL))};
}

expected<GlyphBitmap, Error> FontFace::DrawGlyph(char32_t c, bool mono, FontHinting hinting,
                                                 int max_width, int max_height) {
  FT_Face face = state_->face;
  const FT_UInt index = FT_Get_Char_Index(face, c);
  if (index == 0) return unexpected(Error{"the font has no glyph for it"});
  FT_Int32 flags = FT_LOAD_DEFAULT;
  switch (hinting) {
    case FontHinting::None:
      flags |= FT_LOAD_NO_HINTING;
      break;
    case FontHinting::Light:
      flags |= FT_LOAD_TARGET_LIGHT;
      break;
    case FontHinting::Normal:
      flags |= FT_LOAD_TARGET_NORMAL;
      break;
    case FontHinting::Mono:
      flags |= FT_LOAD_TARGET_MONO;
      break;
  }
  if (const FT_Error error = FT_Load_Glyph(face, index, flags)) {
    return unexpected(Error{"its glyph cannot be loaded (" + FreeTypeReason(error) + ")"});
  }
  FT_GlyphSlot slot = face->glyph;
  const auto too_large = [&](long long w, long long h) {
    return Error{"its glyph is " + std::to_string(w) + " x " + std::to_string(h) +
                 " pixels, larger than the " + std::to_string(max_width) + " x " +
                 std::to_string(max_height) + " an icon can have"};
  };
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    // Measured before drawing, so an outline blown up to thousands of pixels
    // never gets a bitmap; the renderer may add a pixel on each side.
    FT_BBox box;
    FT_Outline_Get_CBox(&slot->outline, &box);
    const long long w = ((static_cast<long long>(box.xMax) + 63) >> 6) - (box.xMin >> 6);
    const long long h = ((static_cast<long long>(box.yMax) + 63) >> 6) - (box.yMin >> 6);
    if (w > max_width + 2 || h > max_height + 2) return unexpected(too_large(w, h));
    if (const FT_Error error =
            FT_Render_Glyph(slot, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL)) {
      return unexpected(Error{"its glyph cannot be drawn (" + FreeTypeReason(error) + ")"});
    }
  }
  const FT_Bitmap& bitmap = slot->bitmap;
  if (slot->format != FT_GLYPH_FORMAT_BITMAP ||
      (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)) {
    return unexpected(Error{"its glyph is of a kind the program does not draw (colour or vector)"});
  }
  if (bitmap.width > static_cast<unsigned>(max_width) ||
      bitmap.rows > static_cast<unsigned>(max_height)) {
    return unexpected(too_large(bitmap.width, bitmap.rows));
  }
  // A damaged bitmap font can leave a glyph without pixels or with rows too
  // short for its width: reading it would leave the buffer.
  const std::size_t row_bytes = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                    ? (static_cast<std::size_t>(bitmap.width) + 7) / 8
                                    : static_cast<std::size_t>(bitmap.width);
  const auto pitch = static_cast<std::size_t>(
      bitmap.pitch < 0 ? -static_cast<long long>(bitmap.pitch) : bitmap.pitch);
  if (bitmap.width > 0 && bitmap.rows > 0 && (bitmap.buffer == nullptr || pitch < row_bytes)) {
    return unexpected(Error{"its glyph's bitmap is damaged"});
  }
  GlyphBitmap glyph;
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = static_cast<int>(bitmap.width);
  glyph.rows = static_cast<int>(bitmap.rows);
  glyph.advance = std::max(RoundPixels(slot->advance.x), 0);
  glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * glyph.rows);
  const int grays = std::max<int>(bitmap.num_grays, 2);
  const auto stride = static_cast<std::ptrdiff_t>(bitmap.pitch);
  for (int y = 0; y < glyph.rows; ++y) {
    // A negative pitch stores the bottom row first.
    const unsigned char* row =
        bitmap.buffer + (stride >= 0 ? y * stride : (glyph.rows - 1 - y) * -stride);
    std::uint8_t* out = glyph.coverage.data() + static_cast<std::size_t>(y) * glyph.width;
    for (int x = 0; x < glyph.width; ++x) {
      if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        out[x] = (row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0;
      } else {
        out[x] = static_cast<std::uint8_t>(std::min(row[x] * 255 / (grays - 1), 255));
      }
    }
  }
  return glyph;
}

}  // namespace pictavo
