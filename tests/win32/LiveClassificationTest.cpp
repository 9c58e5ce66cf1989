// The classification of the Windows that Wine pretends to be, profile by
// profile. Wine reads the profile of an executable when it starts, so each
// case starts the probe afresh.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "inspect/WindowsVersion.h"
#include "wine/Machine.h"

namespace {

DWORD RunProbe() {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  char commandLine[] = VERSION_PROBE_EXE;
  if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return 0xFFFFFFFF;
  }
  WaitForSingleObject(process.hProcess, 60000);
  DWORD exitCode = 0xFFFFFFFF;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode;
}

struct ProfileCase {
  const char* profile;
  WindowsVersion expected;
};

TEST(LiveClassification, UnderEachWineProfile) {
  const ProfileCase kCases[] = {
      {"win2k", OS_WIN2000}, {"winxp", OS_WINXP}, {"win2003", OS_WINXP}, {"nt40", OS_WINNT4},
      {"win98", OS_WIN98SE}, {"winme", OS_WINME}, {"win95", OS_OTHER},
  };
  for (const ProfileCase& c : kCases) {
    ASSERT_TRUE(machine::SetVersionProfile(VERSION_PROBE_EXE, c.profile));
    EXPECT_EQ(RunProbe(), static_cast<DWORD>(c.expected)) << c.profile;
  }
  machine::ForgetSettings(VERSION_PROBE_EXE);
}

}  // namespace
