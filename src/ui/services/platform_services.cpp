#include "ui/services/platform_services.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace pictavo {

QStringList QtNameFilters(const QString& pipe_filter) {
  const QStringList parts = pipe_filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
  }
  return filters;
}

namespace {

QString RunFileDialog(QWidget* parent, const FileDialogRequest& request, bool save) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  const QStringList filters = QtNameFilters(request.filter);
  dialog.setNameFilters(filters);
  if (request.filter_index >= 0 && request.filter_index < filters.size()) {
    dialog.selectNameFilter(filters[request.filter_index]);
  }
  dialog.setDefaultSuffix(request.default_suffix);
  if (!request.confirm_overwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!request.file_name.isEmpty()) dialog.selectFile(request.file_name);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace

QString QtPlatformServices::SaveFileName(QWidget* parent, const FileDialogRequest& request) {
  return RunFileDialog(parent, request, true);
}

QString QtPlatformServices::OpenFileName(QWidget* parent, const FileDialogRequest& request) {
  return RunFileDialog(parent, request, false);
}

void QtPlatformServices::ShowMessage(QWidget* parent, const QString& text, const QString& title) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
  box.exec();
}

int QtPlatformServices::AskQuestion(QWidget* parent, const QString& text, const QString& title,
                                    const QStringList& buttons) {
  QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, parent);
  QList<QAbstractButton*> added;
  for (const QString& caption : buttons) {
    const QMessageBox::ButtonRole role = added.isEmpty() ? QMessageBox::AcceptRole
                                         : added.size() + 1 == buttons.size()
                                             ? QMessageBox::RejectRole
                                             : QMessageBox::ActionRole;
    added << box.addButton(caption, role);
  }
  if (added.isEmpty()) return -1;
  box.setDefaultButton(qobject_cast<QPushButton*>(added.constFirst()));
  box.setEscapeButton(added.constLast());
  box.exec();
  const qsizetype chosen = added.indexOf(box.clickedButton());
  return static_cast<int>(chosen >= 0 ? chosen : added.size() - 1);
}

void QtPlatformServices::SetClipboardText(const QByteArray& latin1) {
  QApplication::clipboard()->setText(QString::fromLatin1(latin1));
}

int QtPlatformServices::ExecDialog(QDialog& dialog) { return dialog.exec(); }

void QtPlatformServices::ShowFolder(const QString& path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

std::optional<QColor> QtPlatformServices::ChooseColor(QWidget* parent, const QColor& initial,
                                                      const QString& title) {
  const QColor color = QColorDialog::getColor(initial, parent, title);
  if (!color.isValid()) return std::nullopt;
  return color;
}

}  // namespace pictavo
