#pragma once

#include <optional>
#include <string_view>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

#include "core/documents/export_catalogue.h"
#include "core/documents/read_document.h"
#include "core/model/expected.h"
#include "core/model/picture.h"

namespace pictavo::cli {

// What convert writes: the format --format names, or the one the output's
// name asks for (a picture file when it asks for none), and the export
// options for it.
struct ConvertOutputSet {
  QCommandLineOption format{
      QStringLiteral("format"),
      QStringLiteral("What to write, as export's --format: ") +
          QString::fromStdString(ExportFormatNames()) +
          QStringLiteral(" (default: what the output's suffix names: .h c2, or c1/c4/c8 as "
                         "--depth gives for an image; .s gas2 likewise; .xbm; .ptv; anything "
                         "else a picture file)."),
      QStringLiteral("format")};
  QCommandLineOption symbol{
      QStringLiteral("symbol"),
      QStringLiteral("c, gas and xbm: the array's name, a C identifier (default: the picture's "
                     "name, or the input file's)."),
      QStringLiteral("name")};

  void AddTo(QCommandLineParser& parser) const { parser.addOptions({format, symbol}); }
};

struct ConvertOutput {
  const ExportFormat* format = nullptr;
  ExportChoices choices;
};

// The output's format and choices, or the usage error to report. For an
// image, --depth, --align, --bit-order and --layout describe the text
// written; for a text input they say how it is read (`text_input`), and the
// text written takes its format's defaults. `depth` is --depth as read.
expected<ConvertOutput, QString> ReadConvertOutput(const QCommandLineParser& parser,
                                                   const ConvertOutputSet& set,
                                                   const QString& output, bool text_input,
                                                   std::optional<int> depth);

// Writes the picture, named `name` (Latin-1), to `output` (- for standard
// output) as chosen; says the symbol when a name given had to change. The
// symbol falls back to the input's file name, or for standard input the
// output's. Returns the exit status.
int WriteConverted(const ConvertOutput& chosen, CodeGridView picture, std::string_view name,
                   const QString& input, const QString& output);

// A skin table read back, written as a skin file to `output` (- for standard
// output), named `name` (Latin-1) when given; the options for writing a text
// and for reading a picture's are refused. Returns the exit status.
int WriteSkinBack(const QCommandLineParser& parser, const ConvertOutputSet& set,
                  const ReadTextOptions& read, SkinDocument skin, const QByteArray& name,
                  const QString& input, const QString& output);

}  // namespace pictavo::cli
