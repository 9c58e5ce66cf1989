// The driver's groups of scenarios. Each is one ctest test, so that a
// failure names its group; all of them report through report::.
#pragma once

// What the dialog shows on each system, and that the upgrade button does
// nothing where nothing may be upgraded.
void RunRowScenarios();
// The upgrade answered No, repeated, and each way it can fail.
void RunUpgradeScenarios();
// Each way to close the dialog.
void RunClosingScenarios();
// The About box from the system command, and each way back.
void RunAboutScenarios();
// The upgrade answered Yes: Wine restarts.
void RunRestartScenario();
// The fields and boxes under a Western ANSI code page.
void RunLocaleScenario();
