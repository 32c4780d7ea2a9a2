#include "ui/selection/selection_commands.h"

#include <string_view>

#include <QToolButton>

#include "core/editing/editor.h"
#include "core/formats/picture_file.h"
#include "core/platform/safe_file.h"
#include "core/editing/selection_transform.h"
#include "ui/app/file_access.h"
#include "ui/app/main_window.h"
#include "ui/app/platform_services.h"
#include "ui/dialogs/save_select_box.h"
#include "ui/selection/select_panel.h"

namespace pictavo {

SelectionCommands::SelectionCommands(TForm1& form) : QObject(&form), form_(form) {
  selpanel_ = new Tselpanel(form.GetEditor(), form.Services(), &form);
  form.RegisterWindow(selpanel_);
  savebox_ = new Tsavebox(&form);
  form.RegisterWindow(savebox_);

  connect(&form, &TForm1::SelectPanelVisibilityRequested, selpanel_, &Tselpanel::SetPanelVisible);
  connect(&form, &TForm1::SelectionBoxCaptured, selpanel_, &Tselpanel::ShowCapturedBox);
  connect(selpanel_, &Tselpanel::SaveSelectionRequested, this, &SelectionCommands::SaveSelection);

  // The select box has its panel now.
  form.Button(QStringLiteral("box_button"))->setEnabled(true);
}

void SelectionCommands::SaveSelection() {
  savebox_->SetName(form_.PictureName());
  if (!form_.GetEditor().State().Selection.SelectionCaptured) return;
  if (form_.Services().ExecDialog(*savebox_) != QDialog::Accepted) return;
  SaveSelectionFile(savebox_->Name());
}

void SelectionCommands::SaveSelectionFile(const QByteArray& name) {
  Editor& editor = form_.GetEditor();
  if (!editor.State().Selection.SelectionCaptured) return;
  // A quarter turn of a capture wider than 92 columns is taller than any
  // picture: such a file could never be opened again, so it is not written.
  if (editor.State().Selection.SelectionBuffer.Height > MaxPictureHeight) {
    form_.Services().ShowMessage(
        &form_, QString::fromStdString(CropRefusalMessage(editor.State().Selection.SelectionBuffer.Height)),
        QStringLiteral("Save Selection"));
    return;
  }
  editor.PushUndo();

  const QString path =
      form_.Services().SaveFileName(&form_, PictureDialogRequest(QString::fromLatin1(name)));
  if (path.isEmpty()) return;  // the undo step stays

  const EditorState& s = editor.State();
  const std::vector<std::uint8_t> bytes =
      WritePictureFile(ViewOf(s.Selection.SelectionBuffer), AsView(name), s.Document.PictureFileVersion);
  if (const auto written = WriteFileAtomically(LocalPath(path), bytes); !written) {
    form_.Services().ShowMessage(&form_, CouldNotWrite(path, written.error()),
                                 QStringLiteral("Save Selection"));
  }
}

}  // namespace pictavo
