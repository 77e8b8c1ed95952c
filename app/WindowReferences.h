#pragma once
// The process-wide references to the program's windows. A reference turns
// empty by itself when its window object goes away.

#include "ui/Component.h"

namespace app {

class Tfmlg;

// The login window: set right after it is created, never cleared by the
// program (the window lives until the process ends).
ui::Ref<Tfmlg>& fmlg();

} // namespace app
