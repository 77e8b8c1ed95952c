#pragma once
// The process start: one copy per desktop session, the modal login window,
// then the study window and the message loop.

namespace app {

// Runs the program and answers its exit code.
int RunVocara();

// Creates the study window as the application's main window after a
// successful login; Run shows it.
void CreateStudyWindow();

} // namespace app
