// EnumWindows over the desktop's top-level windows. WM_GETTEXT to another
// process is marshalled by the system, so the texts arrive as UTF-16 whatever
// the other process's code page.
#include "ProcessWindows.h"

#include <algorithm>

#include "wine/DialogDriver.h"

namespace windows {

namespace {

BOOL CALLBACK CollectButton(HWND child, LPARAM parameter) {
  char className[16] = "";
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, "Button") == 0 && IsWindowVisible(child)) {
    reinterpret_cast<std::vector<int>*>(parameter)->push_back(GetDlgCtrlID(child));
  }
  return TRUE;
}

}  // namespace

HWND FindDialog(DWORD processId, HWND except) { return FindProcessDialog(processId, except); }

std::wstring Text(HWND window) { return WindowTextW(window); }

std::wstring ItemText(HWND dialog, int id) {
  wchar_t text[512] = L"";
  GetDlgItemTextW(dialog, id, text, 512);
  return text;
}

std::vector<int> VisibleButtons(HWND dialog) {
  std::vector<int> ids;
  EnumChildWindows(dialog, CollectButton, reinterpret_cast<LPARAM>(&ids));
  std::sort(ids.begin(), ids.end());
  return ids;
}

}  // namespace windows
