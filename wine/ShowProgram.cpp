// Starts a program, waits until its main dialog is visible (which it becomes
// once its initialisation has filled the fields), paints its caption as
// active where it is the active foreground window (DialogDriver.h says why
// Wine needs that), and prints the dialog's window rectangle in screen
// pixels as "LEFT TOP WIDTH HEIGHT"; the program is left running. For the run
// command, which takes its screenshot once the dialog is there. With "about"
// it then opens the About box from the system menu, with "question" it clicks
// 升级, and prints the rectangle of the window that comes up instead.
// Usage: show_program PROGRAM.exe [SECONDS [about|question]]
// Exits with 1 (saying why) when the program is not a 32-bit x86 one, ends,
// shows no dialog within SECONDS (default 60), its dialog is not active, or
// the window asked for does not come up.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "res/resource.h"
#include "wine/DialogDriver.h"

int main(int argc, char** argv) {
  const char* const then = argc == 4 ? argv[3] : "";
  if (argc < 2 || argc > 4 ||
      (argc == 4 && std::strcmp(then, "about") != 0 && std::strcmp(then, "question") != 0)) {
    std::fprintf(stderr, "usage: show_program PROGRAM.exe [SECONDS [about|question]]\n");
    return 2;
  }
  const DWORD limitMs = static_cast<DWORD>(argc >= 3 ? std::atoi(argv[2]) : 60) * 1000;
  PROCESS_INFORMATION process{};
  std::string why;
  HWND dialog = StartAndFindDialog(argv[1], limitMs, process, why);
  if (dialog == nullptr || !PaintCaptionAsActivated(dialog, why)) {
    std::fprintf(stderr, "show_program: %s\n", why.c_str());
    if (dialog != nullptr) TerminateProcess(process.hProcess, 1);
    return 1;
  }
  HWND shown = dialog;
  if (*then != '\0') {
    if (std::strcmp(then, "about") == 0) {
      PostMessageW(dialog, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    } else {
      PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    }
    shown = WaitForProcessDialog(process.dwProcessId, dialog, limitMs);
    if (shown == nullptr) {
      std::fprintf(stderr, "show_program: no %s came up\n",
                   *then == 'a' ? "About box" : "message box");
      TerminateProcess(process.hProcess, 1);
      return 1;
    }
  }
  // Let the window finish painting before anyone looks at it.
  RedrawWindow(shown, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT frame;
  GetWindowRect(shown, &frame);
  std::printf("%ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left,
              frame.bottom - frame.top);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}
