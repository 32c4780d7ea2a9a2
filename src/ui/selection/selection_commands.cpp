#include "ui/selection/selection_commands.h"

#include "ui/app/main_window.h"

namespace pictavo {

// Until this area is wired, its commands stay disabled in the main window.
SelectionCommands::SelectionCommands(TForm1& form) : QObject(&form), form_(form) {}

}  // namespace pictavo
