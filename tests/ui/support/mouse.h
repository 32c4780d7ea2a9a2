#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace pictavo::testing {

// Sends one mouse event straight to a widget, with the buttons held during it,
// as the window system would report it.
inline void SendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button,
                      Qt::MouseButtons held, QPoint pos) {
  QMouseEvent event(type, QPointF(pos), widget->mapToGlobal(QPointF(pos)), button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

inline void Press(QWidget* w, Qt::MouseButton b, QPoint p) {
  SendMouse(w, QEvent::MouseButtonPress, b, b, p);
}
inline void Move(QWidget* w, Qt::MouseButtons held, QPoint p) {
  SendMouse(w, QEvent::MouseMove, Qt::NoButton, held, p);
}
inline void Release(QWidget* w, Qt::MouseButton b, QPoint p) {
  SendMouse(w, QEvent::MouseButtonRelease, b, Qt::NoButton, p);
}
inline void Click(QWidget* w, Qt::MouseButton b, QPoint p) {
  Press(w, b, p);
  Release(w, b, p);
}

}  // namespace pictavo::testing
