#pragma once

#include <string>
#include <string_view>

#include <QCommandLineParser>
#include <QString>

#include "core/documents/export_catalogue.h"
#include "core/model/expected.h"

namespace pictavo::cli {

// --align, --bit-order, --layout and --symbol as given, for the format: a
// usage error names an option the format does not take, a value it does not
// know, or a symbol that is no C identifier and why. export and convert's
// texts take them alike.
expected<ExportChoices, QString> ReadExportChoices(const QCommandLineParser& parser,
                                                   const ExportFormat& format);

// --symbol alone, as ReadExportChoices reads it; empty when not given.
expected<std::string, QString> ReadSymbolOption(const QCommandLineParser& parser,
                                                const ExportFormat& format);

// The file name a symbol falls back to: the input's, without its suffix;
// none for standard input.
std::string SymbolFallback(const QString& input);

// Warns on `input` when a name the user gave had to change to become the
// symbol: "the symbol is int_picture (...)".
void SaySymbol(const ExportFormat& format, const ExportChoices& choices, std::string_view name,
               std::string_view fallback, const QString& input);

}  // namespace pictavo::cli
