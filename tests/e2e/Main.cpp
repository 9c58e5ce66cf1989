// The e2e driver: runs one group of scenarios against the real Quorvane.exe
// and exits with 1 if any check failed.
// Usage: e2e_driver.exe GROUP [PROGRAM], GROUP one of rows, upgrade, closing,
// about, restart, locale; PROGRAM, a Windows path, replaces the Quorvane.exe that
// the build names (the file must keep that name: Wine's settings and the
// failure box's caption go by it).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "Groups.h"
#include "Report.h"
#include "Scenario.h"
#include "WineWindows.h"

namespace {

struct Group {
  const char* name;
  void (*run)();
  // The ANSI code page its launcher must give the Wine processes: 936 as on
  // a Simplified Chinese Windows, 1252 for the Western one.
  UINT codePage;
};

const Group kGroups[] = {
    {"rows", [] { RunRowScenarios(); }, 936},
    {"upgrade", [] { RunUpgradeScenarios(); }, 936},
    {"closing", RunClosingScenarios, 936},
    {"about", [] { RunAboutScenarios(); }, 936},
    {"restart", RunRestartScenario, 936},
    {"locale", RunLocaleScenario, 1252},
};

// A command-line argument, in the ANSI code page it arrives in.
std::wstring Widen(const char* text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
  wide.resize(wide.size() - 1);  // the terminating zero
  return wide;
}

}  // namespace

int main(int argc, char** argv) {
  for (const Group& group : kGroups) {
    if (argc < 2 || argc > 3 || std::strcmp(argv[1], group.name) != 0) continue;
    if (argc == 3) ChooseProgram(Widen(argv[2]));
    report::BeginScenario(std::string(group.name) + "/launcher");
    // The program inherits the driver's code page: a wrong one would make
    // every text check fail for a reason outside the program.
    if (!report::CheckNumber("ANSI code page", group.codePage, GetACP())) return 1;
    if (!report::CheckFlag("Wine frames the program's windows", true,
                           LetWineFrameProgramWindows())) {
      return 1;
    }
    group.run();
    std::printf("%s: %d checks, %d failed\n", group.name, report::CheckCount(),
                report::FailureCount());
    return report::FailureCount() == 0 ? 0 : 1;
  }
  std::fprintf(stderr, "usage: e2e_driver.exe rows|upgrade|closing|restart|locale [PROGRAM]\n");
  return 2;
}
