#include "qt_support/history_folder.h"

#include <QDir>

namespace pictavo {

QString HistoryFolder() {
  QString state = qEnvironmentVariable("XDG_STATE_HOME");
  // The base directory rules: a relative path is to be ignored.
  if (state.isEmpty() || QDir::isRelativePath(state)) {
    state = QDir::homePath() + QStringLiteral("/.local/state");
  }
  return state + QStringLiteral("/pictavo/history");
}

}  // namespace pictavo
