// Wine's ExitWindowsEx starts "wineboot --end-session" as a process of its
// own and returns. Once a handler that might have called it has returned,
// a requested restart is therefore either still running, and wineboot.exe is
// among the prefix's processes, or over, and the program has been ended.
#include "WineRestart.h"

#include <windows.h>
// tlhelp32.h needs windows.h before it.
#include <tlhelp32.h>

bool RestartUnderWay() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return true;  // cannot tell: assume the worst
  bool found = false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
       more = Process32NextW(snapshot, &entry)) {
    found = lstrcmpiW(entry.szExeFile, L"wineboot.exe") == 0;
  }
  CloseHandle(snapshot);
  return found;
}
