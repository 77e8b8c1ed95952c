#pragma once
// The process start: one copy per desktop session, the modal login window,
// then the study window and the message loop.

namespace app {

// Runs the program and answers its exit code.
int RunVocara();

// Creates the study window as the application's main window after a
// successful login; Run shows it.
void CreateStudyWindow();

// Shows the main window and runs the message loop until the program is told
// to end ("退出系统"); the study window's clock is stopped before anything is
// destroyed, so no reminder is made on a window on its way out.
void RunMessageLoop();

} // namespace app
