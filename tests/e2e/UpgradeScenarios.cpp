// The upgrade as a person meets it, on every upgrade path of the test table:
// the button clicked in states F (value absent or unreadable) and H (value
// zero), the question answered No, repeated clicks, and the failures that
// follow when the registry changes after the dialog has opened. The Yes
// answer restarts Wine: RestartScenario.cpp.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Report.h"
#include "Scenario.h"
#include "Western.h"
#include "tests/common/CaseNames.h"

namespace {

bool Interfere(table::Interference interference) {
  switch (interference) {
    case table::Interference::kNone:
      return true;
    case table::Interference::kDenyWriting:
      return testreg::DenyWriting(HKEY_LOCAL_MACHINE, table::kDriverKey);
    case table::Interference::kRemoveKeys:
      return machine::RemoveDriverKeys();
    case table::Interference::kRefuseValue:
      break;  // not from outside the program
  }
  return false;
}

// The control set's changes, against the snapshot taken before the
// interference.
std::vector<std::string> RegistryChanges(const table::UpgradePath& path) {
  const std::string value = machine::ParameterEntry();
  if (path.valueAfter == path.parameter) return {};
  if (!path.valueAfter) {  // the keys were removed and nothing made them again
    std::vector<std::string> removed = {Removed(table::kAtapiKey), Removed(table::kDriverKey)};
    if (path.parameter) removed.push_back(Removed(value));
    return removed;
  }
  const testreg::StoredValue after = machine::Stored(*path.valueAfter);
  if (path.driverKey == table::DriverKey::kMissing) {  // the click created it
    return {AddedKey(table::kDriverKey), Added(value, after)};
  }
  return {path.parameter ? Changed(value, after) : Added(value, after)};
}

class Upgrade : public ::testing::TestWithParam<table::UpgradePath> {
 protected:
  void TearDown() override { machine::RemoveDriverKeys(); }  // no key left refusing writes
};

TEST_P(Upgrade, ClicksReactAndChangeTheRegistryAsTheirPathSays) {
  const table::UpgradePath& path = GetParam();
  Scenario scenario(table::MachineOf(path));
  if (!scenario.Open()) return;
  const Fields before = ToFields(table::FieldsOfRow(path.parameter ? 'H' : 'F'));
  scenario.ExpectFields("on start", before);
  if (!Interfere(path.interference)) {
    report::Fail("change the registry under the open dialog");
    return;
  }
  // Only a successful upgrade changes the fields.
  const Fields after = path.reaction == table::Reaction::kQuestion ? UpgradedNowFields() : before;
  for (int click = 1; click <= path.clicks; ++click) {
    const Action action =
        Click(kUpgradeButton, std::string(table::kUpgradeButton) + (click == 1 ? "" : " again"));
    switch (path.reaction) {
      case table::Reaction::kQuestion:
        if (!scenario.ExpectMessageBox(action, RestartQuestion(), after, IDNO)) return;
        break;
      case table::Reaction::kFailureBox:
        if (!scenario.ExpectMessageBox(action, UpgradeFailedBox(), after, IDOK)) return;
        break;
      case table::Reaction::kNothing:
        scenario.ExpectNoReaction(action, after);
        continue;
    }
    scenario.ExpectStillRunning("after the answer");
    scenario.ExpectFields("after the answer", after);
  }
  scenario.Exit();
  scenario.ExpectRegistry(RegistryChanges(path));
}

INSTANTIATE_TEST_SUITE_P(Table, Upgrade, ::testing::ValuesIn(table::PathsFromOutside()),
                         table::NameCases());
INSTANTIATE_TEST_SUITE_P(Western, Upgrade,
                         ::testing::ValuesIn(WesternPaths(table::PathsFromOutside())),
                         table::NameCases());

}  // namespace
