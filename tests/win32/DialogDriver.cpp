// Finding a process's dialogs, and message boxes answered from a second
// thread of the test process.
#include "DialogDriver.h"

#include <chrono>

namespace {

struct Search {
  DWORD process;
  HWND except;
  HWND found;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM parameter) {
  Search& search = *reinterpret_cast<Search*>(parameter);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char className[16] = "";
  GetClassNameA(window, className, sizeof className);
  if (process == search.process && window != search.except && IsWindowVisible(window) &&
      lstrcmpA(className, "#32770") == 0) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CheckIconControl(HWND control, LPARAM parameter) {
  char className[16] = "";
  GetClassNameA(control, className, sizeof className);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  if (lstrcmpiA(className, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON &&
      IsWindowVisible(control)) {
    *reinterpret_cast<HICON*>(parameter) =
        reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0));
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HICON MessageBoxIcon(HWND box) {
  HICON icon = nullptr;
  EnumChildWindows(box, CheckIconControl, reinterpret_cast<LPARAM>(&icon));
  return icon;
}

HWND FindProcessDialog(DWORD process, HWND except) {
  Search search{process, except, nullptr};
  EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindDialogOfThisProcess(HWND except) { return FindProcessDialog(GetCurrentProcessId(), except); }

std::wstring WindowTextW(HWND window) {
  wchar_t text[512] = L"";
  GetWindowTextW(window, text, 512);
  return text;
}

MessageBoxAnswerer::MessageBoxAnswerer(int button, HWND except)
    : thread_([this, button, except] { Run(button, except); }) {}

MessageBoxAnswerer::~MessageBoxAnswerer() { Join(); }

void MessageBoxAnswerer::Join() {
  if (thread_.joinable()) thread_.join();
}

void MessageBoxAnswerer::Stop() {
  stop_ = true;
  Join();
}

void MessageBoxAnswerer::Run(int button, HWND except) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!stop_ && std::chrono::steady_clock::now() < deadline) {
    if (HWND box = FindDialogOfThisProcess(except)) {
      caption_ = WindowTextW(box);
      wchar_t text[512] = L"";
      GetDlgItemTextW(box, 0xFFFF, text, 512);  // a message box's text control
      text_ = text;
      icon_ = MessageBoxIcon(box);
      answered_ = true;
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
      return;
    }
    Sleep(20);
  }
}
