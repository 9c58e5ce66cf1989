// The program on a Western Windows NT, ANSI code page 1252 (the driver runs
// under LC_ALL=en_US.UTF-8): it must show every text exactly as on a Chinese
// one. Scenarios of the other groups, with their expectations unchanged,
// chosen so that every text of the dialog, its message boxes and the About
// box appears at least once. Windows 98 and ME are left out: their wide
// window functions are stubs, so there the program keeps the ANSI ones and
// reads right only under code page 936 (Scenario::Open checks which).
#include <string>

#include "Groups.h"
#include "Report.h"

namespace {

int chosen = 0;  // scenarios run, so that a renamed one cannot drop out unseen

bool AnyOf(const std::string& name, std::initializer_list<const char*> names) {
  for (const char* candidate : names) {
    if (name == candidate) {
      ++chosen;
      return true;
    }
  }
  return false;
}

}  // namespace

void RunLocaleScenario() {
  // 28-bit and 48-bit, cannot be upgraded, not supported, already upgraded.
  RunRowScenarios([](const std::string& name) {
    return AnyOf(name, {"A nt40", "B winxp", "G win2k SP4 value DWORD 1"});
  });
  // Needs an upgrade, succeeded, the restart question and the failure box.
  RunUpgradeScenarios([](const std::string& name) {
    return AnyOf(name, {"F value absent: upgrade, No", "F creation refused: failure box, twice"});
  });
  RunAboutScenarios([](const std::string& name) { return AnyOf(name, {"OK"}); });
  report::CheckNumber("scenarios run under code page 1252", 6, static_cast<unsigned long>(chosen));
}
