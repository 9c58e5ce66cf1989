// What the dialog and its message boxes show in the states that more than
// one group of scenarios meets.
#pragma once

#include "Scenario.h"

// Windows 2000 SP4 whose driver value is absent, unreadable or zero.
Fields NeedsUpgradeFields();
// Right after a successful upgrade: the button stays enabled.
Fields UpgradedNowFields();
// The question after a successful upgrade, answered Yes or No.
ExpectedBox RestartQuestion();
// The report that the value could not be written.
ExpectedBox UpgradeFailedBox();

// Windows 2000 SP4 with the driver key present; `parameter` none: the value
// is absent.
machine::State Sp4State(std::optional<testreg::StoredValue> parameter);
