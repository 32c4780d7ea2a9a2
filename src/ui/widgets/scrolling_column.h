#pragma once

#include <QScrollArea>

namespace pictavo {

// A column of panels that scrolls up and down when the window is too low
// for all of it, so it never makes the window taller than the screen. It is
// as wide as its content; while the scroll bar shows, the bar is added
// beside the content rather than taken from it.
class ScrollingColumn : public QScrollArea {
  Q_OBJECT

 public:
  ScrollingColumn(QWidget* content, QWidget* parent);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The content's width, and the bar's when the content is higher than
  // the room.
  int WantedWidth() const;
  void FitWidth();
};

}  // namespace pictavo
