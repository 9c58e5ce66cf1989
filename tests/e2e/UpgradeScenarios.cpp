// The upgrade as a person meets it: the button clicked in states F (value
// absent or unreadable) and H (value zero), the question answered No, a
// second click, and the failures that follow when the registry refuses after
// the dialog has opened. The Yes answer restarts Wine: RestartScenario.cpp.
#include <optional>
#include <string>
#include <vector>

#include "Expectations.h"
#include "Groups.h"
#include "Machine.h"
#include "Report.h"
#include "Scenario.h"

namespace {

using machine::Binary;
using machine::Dword;

const testreg::StoredValue kWrittenValue = Dword(1);  // what the upgrade writes

// Between the dialog opening and the click, the registry changes under it.
enum class Interference { kNone, kDenyWriting, kRemoveKeys };

// What each click brings: the question, the failure box, or nothing.
enum class Reaction { kQuestion, kFailureBox, kNothing };

struct UpgradeCase {
  const char* name;
  std::optional<testreg::StoredValue> parameter;
  Interference interference;
  int clicks;
  Reaction reaction;
  std::vector<std::string> registryChanges;
};

const std::nullopt_t kAbsent = std::nullopt;

std::vector<UpgradeCase> Cases() {
  const std::string value = machine::ParameterEntry();
  const std::string atapi = machine::kAtapiKey;
  const std::string driver = machine::kDriverKey;
  const auto upgrade = [](const char* name, std::optional<testreg::StoredValue> parameter,
                          Interference interference, int clicks, Reaction reaction,
                          std::vector<std::string> changes) {
    return UpgradeCase{name, parameter, interference, clicks, reaction, changes};
  };
  return {
      upgrade("F value absent: upgrade, No", kAbsent, Interference::kNone, 1, Reaction::kQuestion,
              {Added(value, kWrittenValue)}),
      upgrade("F value absent: a second click asks again", kAbsent, Interference::kNone, 2,
              Reaction::kQuestion, {Added(value, kWrittenValue)}),
      upgrade("F value 8 bytes REG_BINARY: upgrade, No", Binary({1, 1, 1, 1, 1, 1, 1, 1}),
              Interference::kNone, 1, Reaction::kQuestion, {Changed(value, kWrittenValue)}),
      // Created, not opened: the key is back with the value (the snapshot
      // was taken before it was removed).
      upgrade("F driver key removed after the dialog opened: the upgrade creates it", kAbsent,
              Interference::kRemoveKeys, 1, Reaction::kQuestion, {Added(value, kWrittenValue)}),
      upgrade("F creation refused: failure box, twice", kAbsent, Interference::kDenyWriting, 2,
              Reaction::kFailureBox, {}),
      upgrade("H value DWORD 0: upgrade, No", Dword(0), Interference::kNone, 1, Reaction::kQuestion,
              {Changed(value, kWrittenValue)}),
      upgrade("H value DWORD 256: upgrade, No", Dword(256), Interference::kNone, 1,
              Reaction::kQuestion, {Changed(value, kWrittenValue)}),
      upgrade("H value DWORD 0: a second click asks again", Dword(0), Interference::kNone, 2,
              Reaction::kQuestion, {Changed(value, kWrittenValue)}),
      upgrade("H opening refused: nothing shown, twice", Dword(0), Interference::kDenyWriting, 2,
              Reaction::kNothing, {}),
      // Opened, not created: the removal stands.
      upgrade("H driver key removed after the dialog opened: nothing shown, nothing created",
              Dword(0), Interference::kRemoveKeys, 1, Reaction::kNothing,
              {Removed(atapi), Removed(driver), Removed(value)}),
  };
}

bool Interfere(Interference interference) {
  switch (interference) {
    case Interference::kNone:
      return true;
    case Interference::kDenyWriting:
      return testreg::DenyWriting(HKEY_LOCAL_MACHINE, machine::kDriverKey);
    case Interference::kRemoveKeys:
      return machine::RemoveDriverKeys();
  }
  return false;
}

void RunCase(const UpgradeCase& c) {
  Scenario scenario(std::string("upgrade/") + c.name, Sp4State(c.parameter));
  if (!scenario.Open()) return;
  scenario.ExpectFields("on start", NeedsUpgradeFields());
  if (!Interfere(c.interference)) {
    report::Fail("change the registry under the open dialog");
    return;
  }
  // Only a successful upgrade changes the fields.
  const Fields after =
      c.reaction == Reaction::kQuestion ? UpgradedNowFields() : NeedsUpgradeFields();
  for (int click = 1; click <= c.clicks; ++click) {
    const Action action = Click(kUpgradeButton, click == 1 ? "升级" : "升级 again");
    switch (c.reaction) {
      case Reaction::kQuestion:
        if (!scenario.ExpectMessageBox(action, RestartQuestion(), after, IDNO)) return;
        break;
      case Reaction::kFailureBox:
        if (!scenario.ExpectMessageBox(action, UpgradeFailedBox(), after, IDOK)) return;
        break;
      case Reaction::kNothing:
        scenario.ExpectNoReaction(action, after);
        continue;
    }
    scenario.ExpectStillRunning("after the answer");
    scenario.ExpectFields("after the answer", after);
  }
  scenario.Exit();
  scenario.ExpectRegistry(c.registryChanges);
}

}  // namespace

void RunUpgradeScenarios(Selection selected) {
  for (const UpgradeCase& c : Cases()) {
    if (selected == nullptr || selected(c.name)) RunCase(c);
  }
  machine::RemoveDriverKeys();  // no key left refusing writes
}
