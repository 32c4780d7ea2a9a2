#include "ui/dialogs/recover_window.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include <QDialogButtonBox>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "core/documents/history_look.h"
#include "core/render/preview_raster.h"
#include "ui/services/platform_services.h"

namespace pictavo {

namespace {

constexpr int ThumbSide = 48;

QIcon Thumbnail(const std::optional<TSkinIcon>& icon, const QColor& background) {
  const int side = icon ? std::max(icon->Width, icon->Height) + 2 : 1;
  const int scale = std::max(1, ThumbSide / side);
  std::vector<std::uint32_t> argb;
  const Rgb back{static_cast<std::uint8_t>(background.red()),
                 static_cast<std::uint8_t>(background.green()),
                 static_cast<std::uint8_t>(background.blue())};
  DrawPreview(icon ? &*icon : nullptr, scale, ThumbSide, ThumbSide, back, argb);
  const QImage image(reinterpret_cast<const uchar*>(argb.data()), ThumbSide, ThumbSide,
                     ThumbSide * 4, QImage::Format_ARGB32);
  return QIcon(QPixmap::fromImage(image.copy()));
}

}  // namespace

RecoverWindow::RecoverWindow(HistoryStore& store, PlatformServices& services, QWidget* parent)
    : QDialog(parent), store_(store), services_(services) {
  setObjectName(QStringLiteral("RecoverWindow"));
  setWindowTitle(QStringLiteral("Recover Unsaved Work"));
  auto* layout = new QVBoxLayout(this);
  auto* caption = new QLabel(
      QStringLiteral("&Work that a command replaced or that was left unsaved, newest first:"),
      this);
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("HistoryList"));
  list_->setIconSize(QSize(ThumbSide, ThumbSide));
  list_->setToolTip(QStringLiteral("Each entry is kept as a picture or skin file in the folder"));
  caption->setBuddy(list_);
  layout->addWidget(caption);
  layout->addWidget(list_);

  auto* buttons = new QDialogButtonBox(this);
  open_ = buttons->addButton(QStringLiteral("&Open"), QDialogButtonBox::AcceptRole);
  open_->setObjectName(QStringLiteral("OpenButton"));
  open_->setToolTip(
      QStringLiteral("Bring the chosen entry back as Open Picture or OpenSkin would"));
  open_->setDefault(true);
  delete_ = buttons->addButton(QStringLiteral("&Delete"), QDialogButtonBox::ActionRole);
  delete_->setObjectName(QStringLiteral("DeleteButton"));
  delete_->setToolTip(QStringLiteral("Remove the chosen entry from the history (Del)"));
  QPushButton* folder =
      buttons->addButton(QStringLiteral("Open &Folder"), QDialogButtonBox::ActionRole);
  folder->setObjectName(QStringLiteral("FolderButton"));
  folder->setToolTip(QStringLiteral("Show the folder that holds the history"));
  QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
  close->setObjectName(QStringLiteral("CloseButton"));
  layout->addWidget(buttons);
  resize(420, 360);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);
  connect(list_, &QListWidget::currentRowChanged, this, &RecoverWindow::ShowChosenState);
  connect(delete_, &QPushButton::clicked, this, &RecoverWindow::DeleteChosen);
  auto* del = new QShortcut(QKeySequence::Delete, list_, nullptr, nullptr, Qt::WidgetShortcut);
  connect(del, &QShortcut::activated, this, &RecoverWindow::DeleteChosen);
  connect(folder, &QPushButton::clicked, this,
          [this] { services_.ShowFolder(QString::fromStdString(store_.Folder().string())); });
}

void RecoverWindow::Refill() { Fill(0); }

void RecoverWindow::Fill(int row) {
  entries_ = store_.List();
  list_->clear();
  const QColor background = palette().color(QPalette::Base);
  for (const HistoryEntry& entry : entries_) {
    const HistoryLook look = LookOf(store_, entry);
    const QString name =
        entry.record.name.empty()
            ? QStringLiteral("(no name)")
            : QString::fromLatin1(entry.record.name.data(),
                                  static_cast<qsizetype>(entry.record.name.size()));
    auto* item = new QListWidgetItem(Thumbnail(look.icon, background),
                                     QStringLiteral("%1   %2\n%3   %4")
                                         .arg(QString::fromStdString(entry.record.time),
                                              QString::fromStdString(entry.record.command), name,
                                              QString::fromStdString(look.size)),
                                     list_);
    item->setToolTip(QDir::toNativeSeparators(QString::fromStdString(entry.document.string())));
  }
  list_->setCurrentRow(list_->count() > 0 ? std::clamp(row, 0, list_->count() - 1) : -1);
  ShowChosenState();
}

std::optional<HistoryEntry> RecoverWindow::Chosen() const {
  const int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(entries_.size())) return std::nullopt;
  return entries_[static_cast<std::size_t>(row)];
}

void RecoverWindow::DeleteChosen() {
  const auto chosen = Chosen();
  if (!chosen) return;
  const int row = list_->currentRow();
  if (const auto removed = store_.Remove(*chosen); !removed) {
    services_.ShowMessage(this,
                          QStringLiteral("The entry could not be deleted: %1.")
                              .arg(QString::fromStdString(removed.error().message)),
                          windowTitle());
  }
  Fill(row);
}

void RecoverWindow::ShowChosenState() {
  const bool any = Chosen().has_value();
  open_->setEnabled(any);
  delete_->setEnabled(any);
}

}  // namespace pictavo
