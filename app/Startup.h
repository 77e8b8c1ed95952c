#pragma once
// The process start: one copy per desktop session, the modal login window,
// then the study window and the message loop.

namespace app {

// Runs the program and answers its exit code.
int RunVocara();

// Creates the study window as the application's main window after a
// successful login. The study window does not exist yet: until it does, this
// creates nothing and the program ends after the login.
void CreateStudyWindow();

} // namespace app
