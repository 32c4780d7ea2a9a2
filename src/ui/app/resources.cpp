#include "ui/app/resources.h"

#include <QtGlobal>

// Outside any namespace, as the resource initialiser requires.
static void InitPictavoResourcesOnce() { Q_INIT_RESOURCE(pictavo); }

namespace pictavo {

void InitResources() {
  // The images live in a static library, where the linker may drop their
  // automatic registration; register them explicitly, once.
  static const bool done = (InitPictavoResourcesOnce(), true);
  (void)done;
}

}  // namespace pictavo
