// The skin's rows of the export catalogue: tables and the skin file's bytes.
#include "core/documents/export_catalogue.h"
#include "core/formats/skin_file.h"
#include "core/formats/source_text/skin_table.h"

namespace pictavo {

expected<std::string, Error> WriteSkinExport(const ExportFormat& format, const Skin& skin,
                                             std::string_view name, const ExportChoices& given,
                                             std::string_view fallback) {
  const ExportChoices choices = ChoicesFor(format, given);
  const std::string symbol = ExportSymbol(choices, name, fallback);
  const bool gas =
      format.family == ExportFamily::SkinTableGas || format.family == ExportFamily::SkinBytesGas;
  switch (format.family) {
    case ExportFamily::SkinTableC:
    case ExportFamily::SkinTableGas: {
      SkinTableOptions options;
      options.Format = gas ? SourceFormat::Gas : SourceFormat::C;
      options.Depth = choices.depth;
      options.Align = choices.align;
      options.Order = choices.order;
      options.Layout = choices.layout;
      options.Lookup = choices.lookup;
      options.Symbol = symbol;
      return WriteSkinTable(skin, name, options);
    }
    case ExportFamily::SkinBytesC:
    case ExportFamily::SkinBytesGas: {
      const auto file = WriteSkinFile(skin, name);
      if (!file) return unexpected(file.error());
      return WriteSkinBytesText(*file, symbol, gas ? SourceFormat::Gas : SourceFormat::C);
    }
    default:
      return unexpected(Error{std::string(format.name) + " is a format of a picture, not a skin"});
  }
}

}  // namespace pictavo
