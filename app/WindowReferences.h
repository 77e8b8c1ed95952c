#pragma once
// The process-wide references to the program's windows. A reference turns
// empty by itself when its window object goes away.

#include "ui/Component.h"

namespace app {

class Tfmlg;
class Tfmmain;
class Tfms;
class Tfrmrg;

// The login window: set right after it is created, never cleared by the
// program (the window lives until the process ends).
ui::Ref<Tfmlg>& fmlg();
// The study window: set when it is created after the login.
ui::Ref<Tfmmain>& fmmain();
// The reminder popup and the account pages window: empty while their window
// does not exist.
ui::Ref<Tfms>& fms();
ui::Ref<Tfrmrg>& frmrg();

} // namespace app
