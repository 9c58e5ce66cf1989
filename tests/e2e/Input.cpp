// SendInput puts input into the system's input queue, as the keyboard and
// mouse drivers do; the window under the mouse or with the focus gets it.
#include "Input.h"

#include "Program.h"

bool WaitUntilForeground(HWND window) {
  const DWORD start = GetTickCount();
  while (GetForegroundWindow() != window) {
    if (GetTickCount() - start > kSafeguardMs) return false;
    Sleep(20);
  }
  return true;
}

bool PressKeys(const std::vector<WORD>& keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = key;
    inputs.push_back(down);
  }
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    INPUT up{};
    up.type = INPUT_KEYBOARD;
    up.ki.wVk = *key;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(up);
  }
  const UINT count = static_cast<UINT>(inputs.size());
  return SendInput(count, inputs.data(), sizeof(INPUT)) == count;
}

bool FindCloseBox(HWND window, POINT& centre) {
  // The close box is the rightmost caption button, one caption button size
  // wide, inside the dialog frame.
  RECT frame;
  if (!GetWindowRect(window, &frame)) return false;
  centre.x = frame.right - GetSystemMetrics(SM_CXFIXEDFRAME) - GetSystemMetrics(SM_CXSIZE) / 2;
  centre.y = frame.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYSIZE) / 2;
  return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y)) == HTCLOSE;
}

bool ClickAt(POINT point) {
  // Absolute coordinates run from 0 to 65535 across the primary screen.
  INPUT inputs[3]{};
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  return SendInput(3, inputs, sizeof(INPUT)) == 3;
}
