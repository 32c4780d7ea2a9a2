#pragma once

#include <QObject>

namespace pictavo {

class TForm1;

// Wires this area's menu items, tool-bar buttons and windows to the core.
// Created by the main window at start-up, in the fixed window order.
class SkinCommands : public QObject {
  Q_OBJECT

 public:
  explicit SkinCommands(TForm1& form);

 private:
  TForm1& form_;
};

}  // namespace pictavo
