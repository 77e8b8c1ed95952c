#pragma once
// What the tests do on the desktop as a user or the shell would: real mouse
// clicks, a look into the notification area, and screenshots for an onlooker.

#include "ui/Bitmap.h"

#include <windows.h>

#include <string_view>

namespace e2e {

// Moves the mouse to a screen point and clicks the left button there, as
// hardware input: the click goes to whatever window is under that point.
void ClickAt(POINT screen);
// The same with the right button.
void RightClickAt(POINT screen);
// The left button held down at one point and let go at another, as a
// press that moves off a button before its release.
void PressMouseAt(POINT screen);
void ReleaseMouseAt(POINT screen);
// Moves the mouse there as hardware input and waits until the cursor is there.
bool MoveMouseTo(POINT screen);
POINT CentreOf(const RECT& rect);

// What the screen shows in a rectangle, once window (frame and children) is
// repainted.
ui::Bitmap ScreenShot(HWND window, const RECT& screen);

// Whether the notification area holds the icon (window, id): a change that
// changes nothing succeeds only for an icon that is there.
bool TrayIconExists(HWND window, UINT id);

// When the environment names a folder in VOCARA_E2E_SHOTS: repaints window
// (frame and children), leaves a file name.wait in the folder and waits (at
// most a minute) until an onlooker that took a screenshot removes it.
// Does nothing otherwise.
void OfferScreenshot(HWND window, std::wstring_view name);

} // namespace e2e
