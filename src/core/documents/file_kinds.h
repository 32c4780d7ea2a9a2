#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pictavo {

// Every kind of file the program opens. What a file is, is told here and
// nowhere else: by its content, its name's suffix settling only what the
// content leaves open.
enum class FileKind {
  PictureFile,
  SkinFile,
  SourceText,  // the texts ReadSourceText reads
  BmpImage,
  PngImage,
  GifImage,
  JpegImage,
  Font,       // TrueType, OpenType, BDF, PCF: made a skin by its own command, not read here
  SkinTable,  // a whole skin as a C or GNU as text (skin export), told by its first line
};

// The kinds a caller opens.
class KindSet {
 public:
  constexpr KindSet() = default;
  constexpr KindSet(std::initializer_list<FileKind> kinds) {
    for (const FileKind kind : kinds) bits_ |= Bit(kind);
  }
  constexpr bool Has(FileKind kind) const { return (bits_ & Bit(kind)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr KindSet operator|(KindSet other) const { return FromBits(bits_ | other.bits_); }
  constexpr KindSet Without(KindSet other) const { return FromBits(bits_ & ~other.bits_); }
  constexpr bool Overlaps(KindSet other) const { return (bits_ & other.bits_) != 0; }

 private:
  static constexpr unsigned Bit(FileKind kind) { return 1u << static_cast<unsigned>(kind); }
  static constexpr KindSet FromBits(unsigned bits) {
    KindSet set;
    set.bits_ = bits;
    return set;
  }
  unsigned bits_ = 0;
};

inline constexpr KindSet PictureFiles{FileKind::PictureFile};
inline constexpr KindSet SkinFiles{FileKind::SkinFile};
inline constexpr KindSet SourceTexts{FileKind::SourceText};
inline constexpr KindSet Images{FileKind::BmpImage, FileKind::PngImage, FileKind::GifImage,
                                FileKind::JpegImage};
inline constexpr KindSet AnyDocument = PictureFiles | SkinFiles | SourceTexts | Images;
inline constexpr KindSet Fonts{FileKind::Font};
inline constexpr KindSet SkinTables{FileKind::SkinTable};

// One row of the table of kinds.
struct FileKindInfo {
  FileKind kind;
  std::string_view name;     // what messages call a file of it: "a PNG image"
  std::string_view caption;  // its entry in an open dialog: "(Pictavo *.ptv)"
  // Without the dot, the first the one a dialog adds; a dialog lists them all.
  std::span<const std::string_view> suffixes;
  // How a picture is made of it where a picture file is wanted: the window's
  // command and the command line's. Empty where there is none.
  std::string_view window_hint;
  std::string_view cli_hint;

  // The dialog entry: "(Pictavo *.ptv)|*.ptv".
  std::string Filter() const;
};

// Every kind, in the order refusals name what a caller takes.
std::span<const FileKindInfo> FileKinds();
const FileKindInfo& KindInfo(FileKind kind);
bool IsImage(FileKind kind);

// The dialog entries of the kinds, joined: "(Pictavo *.ptv)|*.ptv|(Skin *.skin)|*.skin".
std::string DialogFilter(std::initializer_list<FileKind> kinds);
// One entry for every file of the kinds, chosen first so that the dialog
// shows all a command reads: "All files Pictavo reads|*.ptv;*.h;...".
std::string AllReadFilter(KindSet kinds);
// One entry for every image kind, chosen first so that a folder of PNGs does
// not look empty: "Image files (*.bmp, *.png, *.gif, *.jpg)|*.bmp;...".
std::string AllImagesFilter();

// The kind whose suffix the file's name (or path) ends in, any case.
std::optional<FileKind> KindOfName(std::string_view file_name);

// The image kind whose signature the bytes start with; "BM" alone is a BMP,
// whose headers the decoder checks. The decoder's choice of decoder.
std::optional<FileKind> ImageSignatureKind(std::span<const std::uint8_t> bytes);

// What the file is, told by its first bytes: an image or skin by its
// signature, a picture file by its version and name length, a text by its
// characters (one with a few stray control bytes still a text, which the
// reader then refuses with the line). The name settles one case only: a
// text that starts "BM" is a BMP when the name says so. Nothing when the
// content does not tell.
std::optional<FileKind> SniffFileKind(std::span<const std::uint8_t> bytes,
                                      std::string_view file_name);

}  // namespace pictavo
