#include "ui/selection/selection_commands.h"

#include <string_view>

#include <QAction>
#include <QToolButton>

#include "core/editing/editor.h"
#include "core/editing/selection_transform.h"
#include "core/formats/picture_file.h"
#include "core/platform/safe_file.h"
#include "ui/dialogs/save_select_box.h"
#include "ui/selection/select_panel.h"
#include "ui/services/file_access.h"
#include "ui/services/name_box.h"
#include "ui/services/platform_services.h"
#include "ui/services/window_placement.h"

namespace pictavo {

SelectionCommands::SelectionCommands(Editor& editor, PlatformServices& services, QAction* box_tool,
                                     QWidget* parent)
    : QObject(parent), editor_(editor), services_(services), parent_(parent) {
  select_panel_ = new Tselpanel(editor, services, parent);
  name_prompt_ = new Tsavebox(parent);
  const QWidget& main_window = *parent->window();
  PlaceBesideWhenFirstShown(*select_panel_, main_window, editor, 221);
  PlaceWhenFirstShown(*name_prompt_, main_window, QPoint(431, 361));
  connect(select_panel_, &Tselpanel::SaveSelectionRequested, this,
          &SelectionCommands::SaveSelection);
  box_tool->setEnabled(true);
}

void SelectionCommands::SaveSelection() {
  name_prompt_->SetName(PictureName(editor_));
  if (!editor_.State().Selection.SelectionCaptured) return;
  if (services_.ExecDialog(*name_prompt_) != QDialog::Accepted) return;
  SaveSelectionFile(name_prompt_->Name());
}

void SelectionCommands::SaveSelectionFile(const QByteArray& name) {
  if (!editor_.State().Selection.SelectionCaptured) return;
  // A quarter turn of a capture wider than 92 columns is taller than any
  // picture: such a file could never be opened again, so it is not written.
  if (editor_.State().Selection.SelectionBuffer.Height > MaxPictureHeight) {
    services_.ShowMessage(parent_,
                          QString::fromStdString(
                              CropRefusalMessage(editor_.State().Selection.SelectionBuffer.Height)),
                          QStringLiteral("Save Selection"));
    return;
  }
  SaveSelectionUndoStep(editor_);

  const QString path =
      services_.SaveFileName(parent_, PictureDialogRequest(QString::fromLatin1(name)));
  if (path.isEmpty()) return;  // the undo step stays

  const EditorState& s = editor_.State();
  const std::vector<std::uint8_t> bytes = WritePictureFile(
      ViewOf(s.Selection.SelectionBuffer), AsView(name), s.Document.PictureFileVersion);
  if (const auto written = WriteFileAtomically(LocalPath(path), bytes); !written) {
    services_.ShowMessage(parent_, CouldNotWrite(path, written.error()),
                          QStringLiteral("Save Selection"));
  }
}

}  // namespace pictavo
