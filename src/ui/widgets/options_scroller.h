#pragma once

#include <QScrollArea>

namespace pictavo {

// A dialog's options that scroll on a low screen, so the dialog never asks
// for more height than the screen has. Unlike a plain scroll area, which
// asks for a few dozen characters at most, it asks for room for all of its
// options as they now stand: where the screen has the room, every option
// shows without a scroll bar. At the least it keeps a few lines in view.
class OptionsScroller : public QScrollArea {
 public:
  OptionsScroller(QWidget* options, QWidget* parent);

  QSize sizeHint() const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace pictavo
