// The driver's groups of scenarios. Each is one ctest test, so that a
// failure names its group; all of them report through report::.
#pragma once

#include <string>

// Which scenarios of a group to run, by name; every one when null.
using Selection = bool (*)(const std::string& name);

// What the dialog shows on each system, and that the upgrade button does
// nothing where nothing may be upgraded.
void RunRowScenarios(Selection selected = nullptr);
// The upgrade answered No, repeated, and each way it can fail.
void RunUpgradeScenarios(Selection selected = nullptr);
// Each way to close the dialog.
void RunClosingScenarios();
// The About box from the system command, and each way back.
void RunAboutScenarios(Selection selected = nullptr);
// The upgrade answered Yes: Wine restarts.
void RunRestartScenario();
// Scenarios of the other groups under a Western ANSI code page, which must
// show every text as under code page 936.
void RunLocaleScenario();
