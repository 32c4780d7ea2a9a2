#include "core/documents/export_catalogue.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "core/formats/listing.h"
#include "core/formats/picture_file.h"
#include "core/formats/source_text/symbol.h"
#include "core/formats/source_text/writer.h"

namespace pictavo {

namespace {

constexpr std::string_view ButtonText = "the text of the matching clipboard button";

constexpr std::string_view AsmFilter = "(Assembler source *.s)|*.s|(All Files *.*)|*.*";
constexpr std::string_view HeaderFilter = "(C header *.h)|*.h|(All Files *.*)|*.*";

constexpr auto OfPicture = ExportSource::Picture;
constexpr auto OfSkin = ExportSource::Skin;

// The picture's families, then the skin's.
constexpr std::array<ExportFamilyInfo, 11> Families = {{
    {ExportFamily::Listing, "ASM listing (clipboard text)", "s", AsmFilter, true, ButtonText, false,
     false, OfPicture},
    {ExportFamily::Cpp, "C++ array (clipboard text)", "h", HeaderFilter, false, ButtonText, false,
     false, OfPicture},
    {ExportFamily::AsmFile, "asm 8bpp file", "s", AsmFilter, false,
     "the text \"Save (asm 8bpp format)...\" writes", false, false, OfPicture},
    {ExportFamily::CHeader, "C header", "h", HeaderFilter, true, "a C header", true, false,
     OfPicture},
    {ExportFamily::GasSource, "GNU as source", "s", AsmFilter, true, "a GNU as source", true, false,
     OfPicture},
    {ExportFamily::XBitmap, "X bitmap", "xbm", "(X bitmap *.xbm)|*.xbm|(All Files *.*)|*.*", false,
     "an X bitmap", true, false, OfPicture},
    {ExportFamily::PictureFile, "Picture file", "ptv", "(Pictavo *.ptv)|*.ptv", false,
     "a picture file, as \"Save Picture...\" writes it", true, true, OfPicture},
    {ExportFamily::SkinTableC, "C header: table of every icon", "h", HeaderFilter, false,
     "a C header of every frame of every icon in one array, an index of the icons and, with "
     "--lookup, a table from icon ID to entry",
     false, false, OfSkin},
    {ExportFamily::SkinTableGas, "GNU as source: table of every icon", "s", AsmFilter, false,
     "the same as a GNU as source", false, false, OfSkin},
    {ExportFamily::SkinBytesC, "C header: the skin file's bytes", "h", HeaderFilter, false,
     "the skin file's own bytes as a C array, for firmware that carries the skin loader", false,
     false, OfSkin},
    {ExportFamily::SkinBytesGas, "GNU as source: the skin file's bytes", "s", AsmFilter, false,
     "the same as a GNU as source", false, false, OfSkin},
}};

// The format names stand here and nowhere else: the picture's, then the skin's.
constexpr std::array<ExportFormat, 20> Formats = {{
    {"cpp", ExportFamily::Cpp, 8},
    {"asm1", ExportFamily::Listing, 1},
    {"asm2", ExportFamily::Listing, 2},
    {"asm4", ExportFamily::Listing, 4},
    {"asm8", ExportFamily::Listing, 8},
    {"asmfile", ExportFamily::AsmFile, 8},
    {"c1", ExportFamily::CHeader, 1},
    {"c2", ExportFamily::CHeader, 2},
    {"c4", ExportFamily::CHeader, 4},
    {"c8", ExportFamily::CHeader, 8},
    {"gas1", ExportFamily::GasSource, 1},
    {"gas2", ExportFamily::GasSource, 2},
    {"gas4", ExportFamily::GasSource, 4},
    {"gas8", ExportFamily::GasSource, 8},
    {"xbm", ExportFamily::XBitmap, 1},
    {"ptv", ExportFamily::PictureFile, 8},
    {"c", ExportFamily::SkinTableC, 0},
    {"gas", ExportFamily::SkinTableGas, 0},
    {"skin-bytes-c", ExportFamily::SkinBytesC, 0},
    {"skin-bytes-gas", ExportFamily::SkinBytesGas, 0},
}};

bool CompilerText(ExportFamily family) {
  return family == ExportFamily::CHeader || family == ExportFamily::GasSource ||
         family == ExportFamily::XBitmap;
}

bool COrGas(ExportFamily family) {
  return family == ExportFamily::CHeader || family == ExportFamily::GasSource;
}

bool SkinTable(ExportFamily family) {
  return family == ExportFamily::SkinTableC || family == ExportFamily::SkinTableGas;
}

bool SkinBytes(ExportFamily family) {
  return family == ExportFamily::SkinBytesC || family == ExportFamily::SkinBytesGas;
}

// "--depth is not for skin-bytes-c, the skin file's own bytes".
std::string NotForSkinBytes(std::string_view option, const ExportFormat& format) {
  return "--" + std::string(option) + " is not for " + std::string(format.name) +
         ", the skin file's own bytes";
}

ExportSource SourceOf(const ExportFormat& format) { return format.Source(); }
ExportSource SourceOf(const ExportFamilyInfo& family) { return family.source; }

std::string_view OptionName(ExportOption option) {
  switch (option) {
    case ExportOption::Align:
      return "align";
    case ExportOption::BitOrder:
      return "bit-order";
    case ExportOption::Layout:
      return "layout";
    case ExportOption::Symbol:
      return "symbol";
    case ExportOption::Depth:
      return "depth";
    case ExportOption::Lookup:
      return "lookup";
  }
  return {};
}

// RefusedOption for the skin's formats: the tables take every option, the
// skin file's bytes only a symbol (and rows, as every text).
std::optional<std::string> RefusedSkinOption(const ExportFormat& format, ExportOption option,
                                             const ExportChoices& choices) {
  const bool pages = choices.layout == ByteLayout::Pages;
  if (option == ExportOption::Symbol) return std::nullopt;
  if (SkinBytes(format.family)) {
    if (option == ExportOption::Layout && !pages) return std::nullopt;
    return NotForSkinBytes(OptionName(option), format);
  }
  if (option == ExportOption::Align && choices.depth == 8) {
    return "--align is not for --depth 8, one byte per pixel";
  }
  if (option == ExportOption::Align && pages) return "--align is not for --layout pages";
  if (option == ExportOption::Layout && pages && choices.depth > 1) {
    return "--layout pages is for 1 bit per pixel: give --depth 1, or none for icons of 1 bit";
  }
  return std::nullopt;
}

// The part of `all` whose rows are of the source: the picture's come first.
template <typename Row>
std::span<const Row> OfSource(std::span<const Row> all, ExportSource source) {
  std::size_t first_skin = 0;
  while (first_skin < all.size() && SourceOf(all[first_skin]) == ExportSource::Picture) {
    ++first_skin;
  }
  return source == ExportSource::Picture ? all.first(first_skin) : all.subspan(first_skin);
}

bool SameLetters(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [&lower](char x, char y) { return lower(x) == lower(y); });
}

// "--align is not for ptv, a picture file".
std::string NotForPictureFile(std::string_view option) {
  return "--" + std::string(option) + " is not for ptv, a picture file";
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

ListingFormat ListingOfDepth(int depth) {
  switch (depth) {
    case 1:
      return ListingFormat::Asm1;
    case 2:
      return ListingFormat::Asm2;
    case 4:
      return ListingFormat::Asm4;
    default:
      return ListingFormat::Asm8;
  }
}

}  // namespace

const ExportFamilyInfo& ExportFormat::Family() const {
  for (const ExportFamilyInfo& info : Families) {
    if (info.family == family) return info;
  }
  return Families.front();
}

bool ExportFormat::Takes(ExportOption option) const {
  switch (option) {
    case ExportOption::Align:
      // The packed texts below 8 bits; the X bitmap's rows always start a byte.
      return ((family == ExportFamily::Listing || COrGas(family)) && depth != 8) ||
             SkinTable(family);
    case ExportOption::BitOrder:
      return (COrGas(family) && depth != 8) || SkinTable(family);
    case ExportOption::Layout:
      return (COrGas(family) && depth == 1) || SkinTable(family);
    case ExportOption::Symbol:
      return CompilerText(family) || Source() == ExportSource::Skin;
    case ExportOption::Depth:
    case ExportOption::Lookup:
      return SkinTable(family);
  }
  return false;
}

std::span<const ExportFormat> ExportFormats(ExportSource source) {
  return OfSource(std::span<const ExportFormat>(Formats), source);
}

std::span<const ExportFamilyInfo> ExportFamilies(ExportSource source) {
  return OfSource(std::span<const ExportFamilyInfo>(Families), source);
}

const ExportFormat* FindExportFormat(std::string_view name, ExportSource source) {
  for (const ExportFormat& format : ExportFormats(source)) {
    if (format.name == name) return &format;
  }
  return nullptr;
}

const ExportFormat* ExportFormatOfName(std::string_view file_name, int depth) {
  const std::size_t slash = file_name.find_last_of("/\\");
  if (slash != std::string_view::npos) file_name.remove_prefix(slash + 1);
  const std::size_t dot = file_name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return nullptr;
  for (const ExportFamilyInfo& info : Families) {
    if (info.named_by_suffix && SameLetters(file_name.substr(dot + 1), info.suffix)) {
      return &ExportFormatOf(info.family, depth);
    }
  }
  return nullptr;
}

const ExportFormat& ExportFormatOf(ExportFamily family, int depth) {
  const ExportFormat* first = nullptr;
  for (const ExportFormat& format : Formats) {
    if (format.family != family) continue;
    if (format.depth == depth) return format;
    if (first == nullptr) first = &format;
  }
  return first != nullptr ? *first : Formats.front();
}

std::string ExportFormatNames(ExportSource source) {
  const std::span<const ExportFormat> formats = ExportFormats(source);
  std::string names;
  for (std::size_t i = 0; i < formats.size(); ++i) {
    if (i > 0) names += i + 1 == formats.size() ? " or " : ", ";
    names += formats[i].name;
  }
  return names;
}

std::string ExportFormatHelp(ExportSource source) {
  const std::span<const ExportFormat> formats = ExportFormats(source);
  std::string help;
  for (std::size_t i = 0; i < formats.size();) {
    // The run of formats that share a description, named together.
    const std::string_view what = formats[i].Family().help;
    std::size_t end = i + 1;
    while (end < formats.size() && formats[end].Family().help == what) ++end;
    if (!help.empty()) help += "; ";
    for (std::size_t j = i; j < end; ++j) {
      if (j > i) help += j + 1 == end ? " or " : ", ";
      help += formats[j].name;
    }
    help += ": " + std::string(what);
    i = end;
  }
  return help + ".";
}

std::optional<std::string> RefusedOption(const ExportFormat& format, ExportOption option,
                                         const ExportChoices& choices) {
  if (format.Source() == ExportSource::Skin) return RefusedSkinOption(format, option, choices);
  const bool binary = format.Family().binary;
  switch (option) {
    case ExportOption::Align:
      if (binary) return NotForPictureFile("align");
      // The listings take it as the tool bar's align button does, also
      // where it changes nothing (cpp, asm8, asmfile).
      if (!CompilerText(format.family)) return std::nullopt;
      if (format.family == ExportFamily::XBitmap) {
        return "--align is not for xbm, whose rows always start a new byte";
      }
      if (format.depth == 8) return "--align is not for c8 and gas8, one byte per pixel";
      if (choices.layout == ByteLayout::Pages) return "--align is not for --layout pages";
      return std::nullopt;
    case ExportOption::BitOrder:
      if (!COrGas(format.family)) return "--bit-order is for the c and gas formats";
      return std::nullopt;
    case ExportOption::Layout:
      if (binary) return NotForPictureFile("layout");
      // Every text runs along the rows; c1 and gas1 also take pages.
      if (choices.layout == ByteLayout::Pages && !format.Takes(ExportOption::Layout)) {
        return "--layout pages is for c1 and gas1";
      }
      return std::nullopt;
    case ExportOption::Symbol:
      if (!CompilerText(format.family)) return "--symbol is for the c, gas and xbm formats";
      return std::nullopt;
    case ExportOption::Depth:
    case ExportOption::Lookup:
      return "--" + std::string(OptionName(option)) + " is for the c and gas tables of a skin";
  }
  return std::nullopt;
}

ExportChoices ChoicesFor(const ExportFormat& format, ExportChoices choices) {
  if (!format.Takes(ExportOption::Layout)) choices.layout = ByteLayout::Rows;
  if (!format.Takes(ExportOption::Align) || choices.layout == ByteLayout::Pages) {
    choices.align = false;
  }
  if (!format.Takes(ExportOption::BitOrder)) choices.order = BitOrder::Lsb;
  if (!format.Takes(ExportOption::Symbol)) choices.symbol.clear();
  if (!format.Takes(ExportOption::Depth)) choices.depth = 0;
  if (!format.Takes(ExportOption::Lookup)) choices.lookup = false;
  return choices;
}

std::string ExportSymbol(const ExportChoices& choices, std::string_view name,
                         std::string_view fallback) {
  if (!choices.symbol.empty()) return SourceSymbol(choices.symbol, choices.symbol);
  return SourceSymbol(name, fallback);
}

std::string ExportSymbolNote(const ExportChoices& choices, std::string_view name,
                             std::string_view fallback, ExportSource source) {
  const std::string whose =
      source == ExportSource::Skin ? "the skin's name " : "the picture's name ";
  std::string why;
  if (!choices.symbol.empty()) {
    if (auto wrong = NotIdentifierReason(choices.symbol)) {
      why = Quoted(choices.symbol) + " is no C identifier: it " + *wrong;
    } else if (auto reserved = ReservedReason(choices.symbol)) {
      why = Quoted(choices.symbol) + " " + *reserved;
    }
  } else if (!name.empty()) {
    if (!IsCIdentifier(name)) {
      why = whose + Quoted(name) + " is no C identifier";
    } else if (auto reserved = ReservedReason(name)) {
      why = whose + Quoted(name) + " " + *reserved;
    }
  }
  if (why.empty()) return why;
  return "the symbol is " + ExportSymbol(choices, name, fallback) + " (" + why + ")";
}

std::string WriteExport(const ExportFormat& format, CodeGridView picture, std::string_view name,
                        const ExportChoices& given, std::string_view fallback) {
  const ExportChoices choices = ChoicesFor(format, given);
  switch (format.family) {
    case ExportFamily::Listing:
      return PictureClipboardText(picture, name, ListingOfDepth(format.depth), choices.align);
    case ExportFamily::Cpp:
      return PictureClipboardText(picture, name, ListingFormat::Cpp, false);
    case ExportFamily::AsmFile:
      return AsmFileListing(picture, name);
    case ExportFamily::CHeader:
    case ExportFamily::GasSource:
    case ExportFamily::XBitmap: {
      SourceTextOptions options;
      options.Format = format.family == ExportFamily::CHeader     ? SourceFormat::C
                       : format.family == ExportFamily::GasSource ? SourceFormat::Gas
                                                                  : SourceFormat::Xbm;
      options.Bpp = format.depth;
      options.Align = choices.align;
      options.Order = choices.order;
      options.Layout = choices.layout;
      options.Symbol = ExportSymbol(choices, name, fallback);
      return WriteSourceText(picture, options);
    }
    case ExportFamily::PictureFile: {
      const std::vector<std::uint8_t> bytes = WritePictureFile(picture, name);
      return {bytes.begin(), bytes.end()};
    }
    case ExportFamily::SkinTableC:
    case ExportFamily::SkinTableGas:
    case ExportFamily::SkinBytesC:
    case ExportFamily::SkinBytesGas:
      break;  // a skin's: WriteSkinExport
  }
  return {};
}

}  // namespace pictavo
