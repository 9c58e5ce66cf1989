// Keyboard and mouse input as a person gives it: SendInput, which Windows
// delivers to the foreground window, for the ways of closing that do not
// start at a control of the dialog.
#pragma once

#include <windows.h>

#include <vector>

// Waits until `window` is the foreground window, which takes the input.
bool WaitUntilForeground(HWND window);
// Presses the keys in order and releases them in reverse: {VK_MENU, VK_F4}
// is Alt+F4.
bool PressKeys(const std::vector<WORD>& keys);
// The centre of the window's close box, in screen coordinates; false if the
// window says that point is not its close box.
bool FindCloseBox(HWND window, POINT& centre);
// Moves the mouse to `point` and clicks the left button there.
bool ClickAt(POINT point);
