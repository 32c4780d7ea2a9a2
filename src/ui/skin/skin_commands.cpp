#include "ui/skin/skin_commands.h"

#include "ui/app/main_window.h"

namespace pictavo {

// Until this area is wired, its commands stay disabled in the main window.
SkinCommands::SkinCommands(TForm1& form) : QObject(&form), form_(form) {}

}  // namespace pictavo
