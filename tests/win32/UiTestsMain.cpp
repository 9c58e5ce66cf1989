// The dialog tests' start. Wine must report Windows 2000 to this program,
// frame its windows itself and draw them in Windows 2000's look; it reads
// these settings when a program starts, so where they are missing (a new
// prefix) they are made, and the program runs itself once more, within the
// same Wine session.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include "wine/Machine.h"

namespace {

const char kThisProgram[] = "ui_tests.exe";

int RunAgain() {
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring commandLine = GetCommandLineW();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  // Inherited handles: the second run writes to this one's output.
  if (!CreateProcessW(path, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::fprintf(stderr, "ui_tests: cannot start again, error %lu\n", GetLastError());
    return 1;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(exitCode);
}

}  // namespace

int main(int argc, char** argv) {
  const char* const profile = table::kWin2000.wineProfile;
  if (!machine::HasSettings(kThisProgram, profile) ||
      !machine::Windows2000LookDifferences().empty()) {
    if (!machine::SetVersionProfile(kThisProgram, profile) ||
        !machine::LetWineFrameWindows(kThisProgram) || !machine::ShowWindows2000Look()) {
      std::fprintf(stderr, "ui_tests: the registry refused Wine's settings for this program\n");
      return 1;
    }
    return RunAgain();
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
