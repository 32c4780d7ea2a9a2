#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/error.h"
#include "core/model/expected.h"

namespace pictavo {

// The font files the program reads, told by their content.
enum class FontFormat {
  TrueType,    // .ttf, and an OpenType font with TrueType outlines
  OpenType,    // .otf with CFF outlines
  Collection,  // .ttc: the first font is read
  Bdf,         // text bitmap font
  Pcf,         // binary bitmap font
  PcfGzip,     // .pcf.gz
};

// "a TrueType font", "a PCF font (gzip-compressed)"...
std::string_view FontFormatName(FontFormat format);

// The format whose signature the bytes start with. A gzip stream counts only
// when FreeType reads a PCF font out of it.
std::optional<FontFormat> SniffFontFormat(std::span<const std::uint8_t> bytes);

// Limits that keep a hostile font within a second and 256 MiB: the file
// size, and the memory FreeType may take for one face and its glyphs.
inline constexpr std::size_t MaxFontFileSize = std::size_t{64} << 20;
inline constexpr std::size_t MaxBdfFileSize = std::size_t{16} << 20;
inline constexpr std::size_t FontMemoryBudget = std::size_t{192} << 20;

// One bitmap size a font carries (a BDF or PCF font's one, a TrueType
// font's strikes).
struct FontStrike {
  int width = 0;   // average width in pixels
  int height = 0;  // line height in pixels
  int ppem = 0;    // the size asked for with --size
};

struct FontInfo {
  FontFormat format = FontFormat::TrueType;
  std::string family;  // UTF-8
  std::string style;   // UTF-8
  int glyph_count = 0;
  bool scalable = false;
  std::vector<FontStrike> strikes;
};

// The line of one size: rows above and below the baseline, in pixels.
struct LineMetrics {
  int ascender = 0;   // rows above the baseline; the baseline is this row
  int descender = 0;  // rows below it
  int Height() const { return ascender + descender; }
};

// How outlines are fitted to the pixel grid before they are drawn.
enum class FontHinting { None, Light, Normal, Mono };
std::string_view HintingName(FontHinting hinting);
std::optional<FontHinting> HintingFromName(std::string_view name);

// One glyph drawn: coverage 0..255 per pixel (a bitmap font's bits give 0
// or 255), placed by its bearing: column `left` and row `top` above the
// baseline are its top-left pixel.
struct GlyphBitmap {
  int left = 0;
  int top = 0;
  int width = 0;
  int rows = 0;
  int advance = 0;                     // pixels to the next glyph's origin
  std::vector<std::uint8_t> coverage;  // rows x width, row-major

  std::uint8_t At(int x, int y) const {
    return coverage[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                    static_cast<std::size_t>(x)];
  }
};

// A font opened with FreeType from its bytes, which it keeps. FreeType's
// memory is counted against FontMemoryBudget; past it a call fails instead
// of taking more.
class FontFace {
 public:
  // Reads the first font of the bytes. Refuses what is not a font the
  // program reads, a file over the size limits, and a font FreeType cannot
  // open.
  static expected<FontFace, Error> Open(std::vector<std::uint8_t> bytes);

  FontFace(FontFace&&) noexcept;
  FontFace& operator=(FontFace&&) noexcept;
  ~FontFace();

  const FontInfo& Info() const { return info_; }
  bool HasChar(char32_t c) const;

  // Sets the size in pixels: an outline font is scaled to it, a bitmap font
  // takes its strike of that size (0 takes the first). Gives the line at
  // that size, as FreeType scales the font's ascender and descender.
  expected<LineMetrics, Error> SetPixelSize(int size);
  // Whether the size set draws from a bitmap strike.
  bool UsesStrike() const;

  // Draws one character at the size set: monochrome (`mono`) or 8-bit
  // coverage. Refuses a glyph drawn larger than `max_width` x `max_height`
  // before its pixels are made.
  expected<GlyphBitmap, Error> DrawGlyph(char32_t c, bool mono, FontHinting hinting, int max_width,
                                         int max_height);

 private:
  struct State;
  explicit FontFace(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
  FontInfo info_;
};

}  // namespace pictavo
