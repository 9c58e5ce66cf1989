// What the dialog shows on start and where its keyboard focus is, for every
// row of the test table that Wine can present, and that the upgrade button
// does nothing where nothing may be upgraded. A click must leave the control
// set as it was.
#include <gtest/gtest.h>

#include "Scenario.h"
#include "Western.h"
#include "tests/common/CaseNames.h"

namespace {

std::vector<table::Row> RowsWineCanPresent() {
  std::vector<table::Row> rows;
  for (const table::Row& row : table::Rows()) {
    if (row.machine.version.wineProfile != nullptr) rows.push_back(row);
  }
  return rows;
}

class Row : public ::testing::TestWithParam<table::Row> {};

TEST_P(Row, ShowsItsFieldsAndAClickChangesNothing) {
  const table::Row& row = GetParam();
  const Fields fields = ToFields(row.fields);
  Scenario scenario(row.machine);
  if (!scenario.Open()) return;
  scenario.ExpectFields("on start", fields);
  // The dialog manager's first control that takes the focus: 升级 where the
  // inspection left it enabled.
  if (row.fields.upgradeEnabled) {
    scenario.ExpectFocus("on start", kUpgradeButton, table::kUpgradeButton);
  } else {
    scenario.ExpectFocus("on start", kExitButton, table::kExitButton);
  }
  // Where an upgrade would happen (F, H), the upgrade scenarios try it.
  const bool offersUpgrade = row.state == STATE_VALUE_ABSENT || row.state == STATE_VALUE_ZERO;
  if (!offersUpgrade) {
    scenario.ExpectNoReaction(Click(kUpgradeButton, table::kUpgradeButton), fields);
  }
  // A disabled button: the command it would send, sent past it.
  if (!row.fields.upgradeEnabled) {
    scenario.ExpectNoReaction(CommandFrom(kUpgradeButton, table::kUpgradeButton), fields);
  }
  scenario.Exit();
  scenario.ExpectRegistry({});
}

INSTANTIATE_TEST_SUITE_P(Table, Row, ::testing::ValuesIn(RowsWineCanPresent()), table::NameCases());
INSTANTIATE_TEST_SUITE_P(Western, Row, ::testing::ValuesIn(WesternRows(RowsWineCanPresent())),
                         table::NameCases());

}  // namespace
