#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

#include "cli/document_input.h"
#include "core/documents/read_document.h"
#include "core/formats/source_text/reader.h"

namespace pictavo::cli {

// convert's options for a source text: each given decides over what the text
// says, for texts that say nothing or say it wrongly.
struct SourceTextOptionSet {
  QCommandLineOption bit_order{
      QStringLiteral("bit-order"),
      QStringLiteral("For a source text: the first pixel of a byte in its lowest (lsb) or "
                     "highest (msb) bits, over what the text says."),
      QStringLiteral("lsb|msb")};
  QCommandLineOption layout{
      QStringLiteral("layout"),
      QStringLiteral("For a 1-bit source text: bytes along the rows, or pages of 8 rows of one "
                     "column, over what the text says."),
      QStringLiteral("rows|pages")};
  QCommandLineOption align{
      QStringLiteral("align"),
      QStringLiteral("For a packed source text: every row starts a new byte, over what the text "
                     "says; a listing does not say.")};
  QCommandLineOption depth{
      QStringLiteral("depth"),
      QStringLiteral("For a C header or GNU as source: its bits per pixel, over what the text "
                     "says."),
      QStringLiteral("1|2|4|8")};

  void AddTo(QCommandLineParser& parser) const {
    parser.addOptions({bit_order, layout, align, depth});
  }
  // The options as given, or the usage error to report.
  expected<ReadTextOptions, QString> Read(const QCommandLineParser& parser) const;
};

// convert of a text the program wrote, once read: the picture it holds, in
// the window's own copy, with `name`, when given, in place of its label (the
// reader's notes said otherwise); nothing when it does not fit, said.
std::optional<LoadedPicture> ConvertedText(const QString& path, PictureDocument text,
                                           const QByteArray& name);

}  // namespace pictavo::cli
