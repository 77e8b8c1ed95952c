// The program entry.

#include "app/Startup.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return app::RunVocara(); }
