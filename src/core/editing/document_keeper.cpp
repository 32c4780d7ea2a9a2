#include "core/editing/document_keeper.h"

#include <utility>

#include "core/editing/editor.h"
#include "core/formats/picture_file.h"
#include "core/formats/skin_file.h"

namespace pictavo {

std::string_view CommandText(DiscardingCommand command) {
  switch (command) {
    case DiscardingCommand::NewPicture:
      return "New Picture";
    case DiscardingCommand::ClearImage:
      return "Clear Image";
    case DiscardingCommand::OpenPicture:
      return "Open Picture";
    case DiscardingCommand::ImportImage:
      return "Open BMP file";
    case DiscardingCommand::OpenSkin:
      return "OpenSkin";
    case DiscardingCommand::NewSkin:
      return "New Skin";
    case DiscardingCommand::ImportFont:
      return "Import Font";
    case DiscardingCommand::Exit:
      return "Exit";
    case DiscardingCommand::RecoverEntry:
      return "Recover Unsaved Work";
  }
  return {};
}

bool DiscardsSkin(DiscardingCommand command) {
  return command == DiscardingCommand::OpenSkin || command == DiscardingCommand::NewSkin ||
         command == DiscardingCommand::ImportFont || command == DiscardingCommand::Exit;
}

expected<FiledDocument, Error> MakeFiledDocument(const Editor& editor, DocumentKind kind) {
  const DocumentState& document = editor.State().Document;
  if (kind == DocumentKind::Picture) {
    return FiledDocument{kind, WritePictureFile(ViewOf(document.Picture), document.Name,
                                                document.PictureFileVersion)};
  }
  auto bytes = WriteSkinFile(editor.Skin(), document.Name);
  if (!bytes) return unexpected(bytes.error());
  return FiledDocument{kind, std::move(*bytes)};
}

HistoryKeeper::HistoryKeeper(HistoryStore& store, Clock clock, Report report_failure, Ask ask)
    : store_(store),
      recovery_(store),
      clock_(std::move(clock)),
      report_failure_(std::move(report_failure)),
      ask_(std::move(ask)) {}

HistoryRecord HistoryKeeper::RecordOf(const Editor& editor, std::string_view command,
                                      const HistoryTime& time) const {
  const DocumentState& document = editor.State().Document;
  return HistoryRecord{time.shown, std::string(command), document.Name, document.FilePath};
}

bool HistoryKeeper::Keep(const Editor& editor, DocumentKind kind, DiscardingCommand command) {
  auto document = MakeFiledDocument(editor, kind);
  if (document) {
    const HistoryTime time = clock_();
    HistoryRecord record = RecordOf(editor, CommandText(command), time);
    // The file a skin came from is not that of a picture edited since.
    if (kind != (editor.State().Document.SkinMode ? DocumentKind::Skin : DocumentKind::Picture)) {
      record.source.clear();
    }
    if (auto filed = store_.File(*document, record, time.stamp))
      return true;
    else
      document = unexpected(filed.error());
  }
  return ask_(command, kind, document.error().message);
}

bool HistoryKeeper::WriteRecovery(const Editor& editor) {
  const DocumentKind kind =
      editor.State().Document.SkinMode ? DocumentKind::Skin : DocumentKind::Picture;
  auto document = MakeFiledDocument(editor, kind);
  if (document) {
    auto written = recovery_.Write(*document, RecordOf(editor, "Unsaved work", clock_()));
    if (written) return true;
    document = unexpected(written.error());
  }
  report_failure_("Could not write the recovery file: " + document.error().message);
  return false;
}

}  // namespace pictavo
