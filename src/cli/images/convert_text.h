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
      QStringLiteral("The first pixel of a byte in its lowest (lsb) or highest (msb) bits: in "
                     "the text written from an image, or how a source text is read, over what "
                     "it says."),
      QStringLiteral("lsb|msb")};
  QCommandLineOption layout{
      QStringLiteral("layout"),
      QStringLiteral("At 1 bit per pixel: bytes along the rows, or pages of 8 rows of one "
                     "column: in the text written from an image, or how a source text is read, "
                     "over what it says."),
      QStringLiteral("rows|pages")};
  QCommandLineOption align{
      QStringLiteral("align"),
      QStringLiteral("Every row starts a new byte: in the text written from an image, or how a "
                     "packed source text is read, over what it says (a listing does not say).")};
  QCommandLineOption depth{
      QStringLiteral("depth"),
      QStringLiteral("Bits per pixel: of the text written from an image (default 2), or how a "
                     "source text is read, over what it says."),
      QStringLiteral("1|2|4|8")};
  QCommandLineOption size{
      QStringLiteral("size"),
      QStringLiteral("For an array that gives no size, as other tools' arrays: the picture's "
                     "width and height, 1x1 to 96x92."),
      QStringLiteral("WxH")};
  QCommandLineOption invert{
      QStringLiteral("invert"),
      QStringLiteral("For a 1-bit source text: a bit 1 is a drawn pixel (Black), as display "
                     "libraries draw bitmaps; without it 1 is White.")};
  QCommandLineOption skip{
      QStringLiteral("skip"),
      QStringLiteral("For a source text: leave out the first N values of its array, a palette "
                     "or header that another tool puts before the pixels."),
      QStringLiteral("N")};

  void AddTo(QCommandLineParser& parser) const {
    parser.addOptions({size, bit_order, layout, align, depth, invert, skip});
  }
  // The options in a usage line.
  static QString Synopsis() {
    return QStringLiteral(
        "[--size WxH] [--bit-order lsb|msb] [--layout rows|pages] [--align] "
        "[--depth 1|2|4|8] [--invert] [--skip N]");
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
