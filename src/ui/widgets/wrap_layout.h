#pragma once

#include <QLayout>
#include <QList>

namespace pictavo {

// Lays its items out left to right as a row would, and goes on in a new row
// below when the width runs out, so a bar never asks for more width than
// its widest item. Every item takes its preferred width and the whole
// height of its row (the highest item's); a gap at the start of a row is
// left out. Room left at the end of a row stays empty.
class WrapLayout : public QLayout {
 public:
  WrapLayout(QWidget* parent, int spacing);
  ~WrapLayout() override;

  // A fixed space before the next item, unless that item starts a row.
  void AddGap(int width);

  void addItem(QLayoutItem* item) override;
  int count() const override { return static_cast<int>(items_.size()); }
  QLayoutItem* itemAt(int index) const override { return items_.value(index); }
  QLayoutItem* takeAt(int index) override;
  Qt::Orientations expandingDirections() const override { return {}; }
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;
  QSize minimumSize() const override;
  QSize sizeHint() const override;
  void setGeometry(const QRect& rect) override;

 private:
  // Places the items in `rect` (when `apply`) and gives the height used.
  int Arrange(const QRect& rect, bool apply) const;

  QList<QLayoutItem*> items_;
  int spacing_;
};

}  // namespace pictavo
