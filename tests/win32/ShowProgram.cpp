// Starts a program, waits until its main dialog is visible (which it becomes
// once its initialisation has filled the fields), and prints the dialog's window rectangle in screen pixels
// as "LEFT TOP WIDTH HEIGHT"; the program is left running. For the run
// command, which takes its screenshot once the dialog is there.
// Usage: show_program PROGRAM.exe [SECONDS]
// Exits with 1 (saying why) when the program is not a 32-bit x86 one, ends,
// or shows no dialog within SECONDS (default 60).
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "DialogDriver.h"
#include "ProcessImage.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: show_program PROGRAM.exe [SECONDS]\n");
    return 2;
  }
  const DWORD limitMs = static_cast<DWORD>(argc == 3 ? std::atoi(argv[2]) : 60) * 1000;
  // No standard handles for the program: under Wine it would otherwise hold
  // this one's output open, and whoever reads it would wait for its end.
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  PROCESS_INFORMATION process{};
  char commandLine[MAX_PATH + 2];
  wsprintfA(commandLine, "\"%s\"", argv[1]);
  if (!CreateProcessA(argv[1], commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::fprintf(stderr, "cannot start %s: error %lu\n", argv[1], GetLastError());
    return 1;
  }
  const DWORD start = GetTickCount();
  HWND dialog = nullptr;
  while (dialog == nullptr) {
    if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) {
      std::fprintf(stderr, "%s ended without showing its dialog\n", argv[1]);
      return 1;
    }
    if (GetTickCount() - start > limitMs) {
      std::fprintf(stderr, "%s showed no dialog within %lu s\n", argv[1], limitMs / 1000);
      TerminateProcess(process.hProcess, 1);
      return 1;
    }
    dialog = FindProcessDialog(process.dwProcessId, nullptr);
  }
  if (RunningImageMachine(process.hProcess) != IMAGE_FILE_MACHINE_I386) {
    std::fprintf(stderr, "%s is not a 32-bit x86 program\n", argv[1]);
    TerminateProcess(process.hProcess, 1);
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
