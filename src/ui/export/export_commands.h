#pragma once

#include <QObject>
#include <QString>

#include "core/formats/listing.h"

namespace pictavo {

class TForm1;
class TForm4;

// The export commands: the clipboard buttons of the tool bar, the export
// panel `TForm4` and the two File menu items that write the 8-bit assembler
// text into a file. Created by the main window at start-up, in the fixed
// window order.
class ExportCommands : public QObject {
  Q_OBJECT

 public:
  explicit ExportCommands(TForm1& form);

  TForm4* Form4() const { return form4_; }

  // The picture's listing of `format`, followed by its 1-bit C++ array, on the
  // clipboard.
  void CopyPictureListing(ListingFormat format, bool align);
  // The listing of the captured box alone, labelled with the picture's name.
  void CopySelectionListing(ListingFormat format, bool align);
  // Asks for a file in `SaveDialog1` and writes the 8-bit assembler text into
  // it, replacing its content or, with `append`, adding to its end. Every
  // failure is reported and leaves the file as it was.
  void SaveListingFile(bool append);

  // The file name `SaveDialog1` is preset with: the last one chosen.
  const QString& LastFileName() const { return last_file_name_; }

 public slots:
  void ToolButton12Click();
  void ToolButton7Click();
  void ToolButton5Click();
  void ToolButton16Click();
  void ToolButton17Click();
  void ToolButton8Click();
  void BitBtn1Click();
  void BitBtn2Click();
  void Save1Click();
  void Savetoend1Click();

 private:
  void PutOnClipboard(const std::string& text);

  TForm1& form_;
  TForm4* form4_;
  QString last_file_name_;
};

}  // namespace pictavo
