#pragma once

#include <QString>

namespace pictavo {

// Where the local history is kept: `$XDG_STATE_HOME/pictavo/history`, or
// `~/.local/state/pictavo/history`. The window and the command line share it.
QString HistoryFolder();

}  // namespace pictavo
