#include "ui/widgets/wrap_layout.h"

#include <algorithm>

#include <QWidget>

namespace pictavo {

WrapLayout::WrapLayout(QWidget* parent, int spacing) : QLayout(parent), spacing_(spacing) {}

WrapLayout::~WrapLayout() {
  while (QLayoutItem* item = takeAt(0)) delete item;
}

void WrapLayout::AddGap(int width) {
  addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum));
}

void WrapLayout::addItem(QLayoutItem* item) { items_.append(item); }

QLayoutItem* WrapLayout::takeAt(int index) {
  return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

int WrapLayout::heightForWidth(int width) const { return Arrange(QRect(0, 0, width, 0), false); }

QSize WrapLayout::minimumSize() const {
  QSize size;
  for (QLayoutItem* item : items_) {
    if (item->spacerItem() == nullptr) size = size.expandedTo(item->sizeHint());
  }
  const QMargins margins = contentsMargins();
  return size + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

QSize WrapLayout::sizeHint() const {
  // All in one row.
  int width = 0;
  int height = 0;
  bool first = true;
  for (QLayoutItem* item : items_) {
    const bool gap = item->spacerItem() != nullptr;
    if (!gap && item->isEmpty()) continue;
    width += item->sizeHint().width() + (first || gap ? 0 : spacing_);
    height = std::max(height, item->sizeHint().height());
    first = false;
  }
  const QMargins margins = contentsMargins();
  return {width + margins.left() + margins.right(), height + margins.top() + margins.bottom()};
}

void WrapLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  Arrange(rect, true);
}

int WrapLayout::Arrange(const QRect& rect, bool apply) const {
  const QRect area = rect.marginsRemoved(contentsMargins());
  const QMargins margins = contentsMargins();
  // Rows of items: where each starts and how high it is.
  struct Placed {
    QLayoutItem* item;
    int x;
    int width;
  };
  QList<Placed> row;
  int y = area.y();
  int x = area.x();
  int row_height = 0;
  const auto finish_row = [&] {
    if (apply) {
      for (const Placed& p : row) p.item->setGeometry(QRect(p.x, y, p.width, row_height));
    }
    y += row_height + spacing_;
    row.clear();
    x = area.x();
    row_height = 0;
  };
  for (QLayoutItem* item : items_) {
    // A spacer counts as empty, yet a gap takes its room.
    const bool gap = item->spacerItem() != nullptr;
    if (!gap && item->isEmpty()) continue;
    const QSize hint = item->sizeHint();
    if (gap && row.isEmpty()) continue;
    // Spacing lies between two items, as in a box layout: a gap adds its
    // width to it.
    const int start = row.isEmpty() || gap ? x : x + spacing_;
    if (!row.isEmpty() && !gap && start + hint.width() > area.x() + area.width()) {
      // A gap left at the end of a row goes with it.
      finish_row();
      row.append({item, x, hint.width()});
      x += hint.width();
      row_height = hint.height();
      continue;
    }
    row.append({item, start, hint.width()});
    x = start + hint.width();
    row_height = std::max(row_height, hint.height());
  }
  if (!row.isEmpty()) finish_row();
  const int used = y - spacing_ - area.y();
  return std::max(used, 0) + margins.top() + margins.bottom();
}

}  // namespace pictavo
