// The dialogs of another process, found and read from outside as any other
// program on the same desktop can: top-level windows of class #32770.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace windows {

// A visible dialog of the process other than `except`, or null.
HWND FindDialog(DWORD processId, HWND except);

std::wstring Text(HWND window);
std::wstring ItemText(HWND dialog, int id);
// The ids of the dialog's visible buttons, in ascending order.
std::vector<int> VisibleButtons(HWND dialog);

}  // namespace windows
