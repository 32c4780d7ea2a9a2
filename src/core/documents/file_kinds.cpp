#include "core/documents/file_kinds.h"

#include <algorithm>
#include <array>

#include "core/formats/fonts/font_face.h"
#include "core/formats/skin_file.h"
#include "core/formats/source_text/skin_table.h"

namespace pictavo {

namespace {

using namespace std::string_view_literals;

constexpr std::array PictureSuffixes = {"ptv"sv};
constexpr std::array SkinSuffixes = {"skin"sv};
constexpr std::array TextSuffixes = {"h"sv, "s"sv, "S"sv, "inc"sv, "txt"sv, "xbm"sv};
constexpr std::array BmpSuffixes = {"bmp"sv};
constexpr std::array PngSuffixes = {"png"sv};
constexpr std::array GifSuffixes = {"gif"sv};
constexpr std::array JpegSuffixes = {"jpg"sv, "jpeg"sv};
constexpr std::array FontSuffixes = {"ttf"sv, "otf"sv, "ttc"sv, "bdf"sv, "pcf"sv, "pcf.gz"sv};

constexpr std::string_view TextCaption = "(Source texts *.h *.s *.S *.inc *.txt *.xbm)";
constexpr std::string_view ImageWindowHint = "\"Open BMP file...\" makes a picture of it.";
constexpr std::string_view ConvertHint = "\"pictavo-cli convert\" makes a picture of it.";

// Told by content only: their names are those of the other texts.
constexpr std::array<std::string_view, 0> NoSuffixes = {};
constexpr std::string_view SkinTableHint = "\"pictavo-cli convert\" makes a skin file of it.";

constexpr std::array<FileKindInfo, 9> Kinds = {{
    {FileKind::PictureFile, "a picture file", "(Pictavo *.ptv)", PictureSuffixes, {}, {}},
    {FileKind::SkinFile, "a skin file", "(Skin *.skin)", SkinSuffixes, "\"OpenSkin...\" opens it.",
     "\"pictavo-cli skin extract\" makes pictures of it."},
    {FileKind::SourceText, "a source text", TextCaption, TextSuffixes, {}, ConvertHint},
    {FileKind::BmpImage, "a BMP image", "Bitmap files (*.bmp)", BmpSuffixes, ImageWindowHint,
     ConvertHint},
    {FileKind::PngImage, "a PNG image", "PNG images (*.png)", PngSuffixes, ImageWindowHint,
     ConvertHint},
    {FileKind::GifImage, "a GIF image", "GIF images (*.gif)", GifSuffixes, ImageWindowHint,
     ConvertHint},
    {FileKind::JpegImage, "a JPEG image", "JPEG images (*.jpg, *.jpeg)", JpegSuffixes,
     ImageWindowHint, ConvertHint},
    {FileKind::Font, "a font", "Fonts (*.ttf *.otf *.ttc *.bdf *.pcf *.pcf.gz)", FontSuffixes,
     "\"Import Font...\" makes a skin of it.", "\"pictavo-cli font\" makes a skin of it."},
    {FileKind::SkinTable, "a skin table", "(Skin tables *.h *.s)", NoSuffixes, SkinTableHint,
     SkinTableHint},
}};

// The info header sizes a BMP can have, at offset 14.
constexpr std::array<std::uint8_t, 7> BmpInfoSizes = {12, 40, 52, 56, 64, 108, 124};
// Texts are told by this much of their start.
constexpr std::size_t TextSample = 4096;

bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view signature) {
  return bytes.size() >= signature.size() &&
         std::equal(signature.begin(), signature.end(), bytes.begin(),
                    [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

// Version 1 or 2 as a 4-byte integer, then a name length a picture can have.
bool LooksLikePictureFile(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 8 && (bytes[0] == 1 || bytes[0] == 2) && bytes[1] == 0 && bytes[2] == 0 &&
         bytes[3] == 0 && bytes[7] == 0 && bytes[6] == 0;
}

// "BM" and, at 14, the size of one of its info headers: "BM" alone also
// starts texts.
bool HasBmpInfoHeader(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 18 && bytes[15] == 0 && bytes[16] == 0 && bytes[17] == 0 &&
         std::ranges::find(BmpInfoSizes, bytes[14]) != BmpInfoSizes.end();
}

// Characters, line ends and tabs, with at most one stray control byte in 32:
// a text damaged by a few NULs is still a text, and its reader says where.
bool LooksLikeTextStart(std::span<const std::uint8_t> bytes) {
  const auto sample = bytes.first(std::min(bytes.size(), TextSample));
  if (sample.empty()) return false;
  const auto stray = std::ranges::count_if(sample, [](std::uint8_t byte) {
    return (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f') ||
           byte == 0x7F;
  });
  return static_cast<std::size_t>(stray) * 32 <= sample.size();
}

bool SameLetters(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [&lower](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::string FileKindInfo::Filter() const {
  std::string filter(caption);
  char separator = '|';
  for (const std::string_view suffix : suffixes) {
    filter += separator;
    filter += "*.";
    filter += suffix;
    separator = ';';
  }
  return filter;
}

std::span<const FileKindInfo> FileKinds() { return Kinds; }

const FileKindInfo& KindInfo(FileKind kind) { return Kinds[static_cast<std::size_t>(kind)]; }

bool IsImage(FileKind kind) { return Images.Has(kind); }

std::string DialogFilter(std::initializer_list<FileKind> kinds) {
  std::string filter;
  for (const FileKind kind : kinds) {
    if (!filter.empty()) filter += '|';
    filter += KindInfo(kind).Filter();
  }
  return filter;
}

std::string AllReadFilter(KindSet kinds) {
  std::string patterns;
  for (const FileKindInfo& info : Kinds) {
    if (!kinds.Has(info.kind)) continue;
    for (const std::string_view suffix : info.suffixes) {
      patterns += std::string(patterns.empty() ? "" : ";") + "*." + std::string(suffix);
    }
  }
  return "All files Pictavo reads|" + patterns;
}

std::string AllImagesFilter() {
  std::string caption;
  std::string patterns;
  for (const FileKindInfo& info : Kinds) {
    if (!IsImage(info.kind)) continue;
    caption += std::string(caption.empty() ? "" : ", ") + "*." + std::string(info.suffixes[0]);
    for (const std::string_view suffix : info.suffixes) {
      patterns += std::string(patterns.empty() ? "" : ";") + "*." + std::string(suffix);
    }
  }
  return "Image files (" + caption + ")|" + patterns;
}

std::optional<FileKind> KindOfName(std::string_view file_name) {
  const std::size_t slash = file_name.find_last_of("/\\");
  if (slash != std::string_view::npos) file_name.remove_prefix(slash + 1);
  const std::size_t dot = file_name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return std::nullopt;
  const std::string_view suffix = file_name.substr(dot + 1);
  for (const FileKindInfo& info : Kinds) {
    for (const std::string_view known : info.suffixes) {
      if (SameLetters(suffix, known)) return info.kind;
    }
  }
  return std::nullopt;
}

std::optional<FileKind> ImageSignatureKind(std::span<const std::uint8_t> bytes) {
  if (StartsWith(bytes, "BM"sv)) return FileKind::BmpImage;
  if (StartsWith(bytes, "\x89PNG\r\n\x1A\n"sv)) return FileKind::PngImage;
  if (StartsWith(bytes, "GIF87a"sv) || StartsWith(bytes, "GIF89a"sv)) return FileKind::GifImage;
  if (StartsWith(bytes, "\xFF\xD8\xFF"sv)) return FileKind::JpegImage;
  return std::nullopt;
}

std::optional<FileKind> SniffFileKind(std::span<const std::uint8_t> bytes,
                                      std::string_view file_name) {
  const std::optional<FileKind> image = ImageSignatureKind(bytes);
  const bool loose_bmp = image == FileKind::BmpImage && !HasBmpInfoHeader(bytes);
  if (image && !loose_bmp) return image;
  if (StartsWith(bytes, SkinFileMagic)) return FileKind::SkinFile;
  if (LooksLikePictureFile(bytes)) return FileKind::PictureFile;
  // Before the texts: a BDF font is one. A gzip stream is a font when it
  // holds a PCF font, or, cut short by the read, when its name says so.
  if (SniffFontFormat(bytes) ||
      (bytes.size() >= 2 && bytes[0] == 0x1F && bytes[1] == 0x8B && file_name.size() > 7 &&
       SameLetters(file_name.substr(file_name.size() - 7), ".pcf.gz"))) {
    return FileKind::Font;
  }
  if (LooksLikeTextStart(bytes)) {
    if (LooksLikeSkinTable(
            {reinterpret_cast<const char*>(bytes.data()), std::min(bytes.size(), TextSample)})) {
      return FileKind::SkinTable;
    }
    if (loose_bmp && KindOfName(file_name) == FileKind::BmpImage) return image;
    return FileKind::SourceText;
  }
  // Bytes after "BM" that are no text: a BMP whose headers its decoder finds wrong.
  if (loose_bmp) return image;
  return std::nullopt;
}

}  // namespace pictavo
