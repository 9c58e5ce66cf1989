// Starts a program, waits until its main dialog is visible (which it becomes
// once its initialisation has filled the fields), paints its caption as
// active where it is the active foreground window (DialogDriver.h says why
// Wine needs that), and prints the dialog's window rectangle in screen
// pixels as "LEFT TOP WIDTH HEIGHT"; the program is left running. For the run
// command, which takes its screenshot once the dialog is there.
// Usage: show_program PROGRAM.exe [SECONDS]
// Exits with 1 (saying why) when the program is not a 32-bit x86 one, ends,
// shows no dialog within SECONDS (default 60), or its dialog is not active.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "DialogDriver.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: show_program PROGRAM.exe [SECONDS]\n");
    return 2;
  }
  const DWORD limitMs = static_cast<DWORD>(argc == 3 ? std::atoi(argv[2]) : 60) * 1000;
  PROCESS_INFORMATION process{};
  std::string why;
  HWND dialog = StartAndFindDialog(argv[1], limitMs, process, why);
  if (dialog == nullptr || !PaintCaptionAsActivated(dialog, why)) {
    std::fprintf(stderr, "show_program: %s\n", why.c_str());
    if (dialog != nullptr) TerminateProcess(process.hProcess, 1);
    return 1;
  }
  // Let the dialog finish painting before anyone looks at it.
  RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT frame;
  GetWindowRect(dialog, &frame);
  std::printf("%ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left,
              frame.bottom - frame.top);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}
