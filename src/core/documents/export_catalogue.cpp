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

constexpr std::array<ExportFamilyInfo, 7> Families = {{
    {ExportFamily::Listing, "ASM listing (clipboard text)", "s", AsmFilter, true, ButtonText, false,
     false},
    {ExportFamily::Cpp, "C++ array (clipboard text)", "h", HeaderFilter, false, ButtonText, false,
     false},
    {ExportFamily::AsmFile, "asm 8bpp file", "s", AsmFilter, false,
     "the text \"Save (asm 8bpp format)...\" writes", false, false},
    {ExportFamily::CHeader, "C header", "h", HeaderFilter, true, "a C header", true, false},
    {ExportFamily::GasSource, "GNU as source", "s", AsmFilter, true, "a GNU as source", true,
     false},
    {ExportFamily::XBitmap, "X bitmap", "xbm", "(X bitmap *.xbm)|*.xbm|(All Files *.*)|*.*", false,
     "an X bitmap", true, false},
    {ExportFamily::PictureFile, "Picture file", "ptv", "(Pictavo *.ptv)|*.ptv", false,
     "a picture file, as \"Save Picture...\" writes it", true, true},
}};

// The format names stand here and nowhere else.
constexpr std::array<ExportFormat, 16> Formats = {{
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
}};

bool CompilerText(ExportFamily family) {
  return family == ExportFamily::CHeader || family == ExportFamily::GasSource ||
         family == ExportFamily::XBitmap;
}

bool COrGas(ExportFamily family) {
  return family == ExportFamily::CHeader || family == ExportFamily::GasSource;
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
      return (family == ExportFamily::Listing || COrGas(family)) && depth != 8;
    case ExportOption::BitOrder:
      return COrGas(family) && depth != 8;
    case ExportOption::Layout:
      return COrGas(family) && depth == 1;
    case ExportOption::Symbol:
      return CompilerText(family);
  }
  return false;
}

std::span<const ExportFormat> ExportFormats() { return Formats; }

std::span<const ExportFamilyInfo> ExportFamilies() { return Families; }

const ExportFormat* FindExportFormat(std::string_view name) {
  for (const ExportFormat& format : Formats) {
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

std::string ExportFormatNames() {
  std::string names;
  for (std::size_t i = 0; i < Formats.size(); ++i) {
    if (i > 0) names += i + 1 == Formats.size() ? " or " : ", ";
    names += Formats[i].name;
  }
  return names;
}

std::string ExportFormatHelp() {
  std::string help;
  for (std::size_t i = 0; i < Formats.size();) {
    // The run of formats that share a description, named together.
    const std::string_view what = Formats[i].Family().help;
    std::size_t end = i + 1;
    while (end < Formats.size() && Formats[end].Family().help == what) ++end;
    if (!help.empty()) help += "; ";
    for (std::size_t j = i; j < end; ++j) {
      if (j > i) help += j + 1 == end ? " or " : ", ";
      help += Formats[j].name;
    }
    help += ": " + std::string(what);
    i = end;
  }
  return help + ".";
}

std::optional<std::string> RefusedOption(const ExportFormat& format, ExportOption option,
                                         const ExportChoices& choices) {
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
  return choices;
}

std::string ExportSymbol(const ExportChoices& choices, std::string_view name,
                         std::string_view fallback) {
  if (!choices.symbol.empty()) return SourceSymbol(choices.symbol, choices.symbol);
  return SourceSymbol(name, fallback);
}

std::string ExportSymbolNote(const ExportChoices& choices, std::string_view name,
                             std::string_view fallback) {
  std::string why;
  if (!choices.symbol.empty()) {
    if (auto wrong = NotIdentifierReason(choices.symbol)) {
      why = Quoted(choices.symbol) + " is no C identifier: it " + *wrong;
    } else if (auto reserved = ReservedReason(choices.symbol)) {
      why = Quoted(choices.symbol) + " " + *reserved;
    }
  } else if (!name.empty()) {
    if (!IsCIdentifier(name)) {
      why = "the picture's name " + Quoted(name) + " is no C identifier";
    } else if (auto reserved = ReservedReason(name)) {
      why = "the picture's name " + Quoted(name) + " " + *reserved;
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
  }
  return {};
}

}  // namespace pictavo
