// What the dialog and its message boxes show, from the test table, in the
// forms the scenarios compare.
#pragma once

#include "Scenario.h"

Fields ToFields(const table::Fields& fields);
// The fields of the first row of the table with `letter`.
Fields FieldsOfRow(char letter);
// Windows 2000 with service pack 4 whose driver value is absent or unreadable (row F), or
// zero (row H): the upgrade button is offered.
Fields NeedsUpgradeFields();
// Right after a successful upgrade: the button stays enabled.
Fields UpgradedNowFields();
// The question after a successful upgrade, answered Yes or No.
ExpectedBox RestartQuestion();
// The report that the value could not be written.
ExpectedBox UpgradeFailedBox();
