#pragma once
// COM and OLE for the thread that uses them, set up at the first use (the XML
// parser reading a reply or the saved login file, the study window before its
// web browser is made) instead of at the program's start: the login window
// needs neither to show.

namespace app::comm {

// Sets up OLE on the calling thread unless this thread already did; later
// calls cost one check. A failure is left to the COM call that follows,
// which then reports it.
void EnsureOle();

// Ends what EnsureOle set up on the calling thread, if anything. The program
// calls it once its windows are gone; another thread's set-up ends with the
// thread.
void EndOle();

} // namespace app::comm
