// The upgrade action: the one change this program makes to a machine.
#pragma once

#include "inspect/SystemServices.h"
#include "inspect/UpgradeState.h"

class DialogOperations;

// Writes the driver parameter as the inspection's state allows, reports the
// outcome through the dialog and offers to restart. Keeps no state of its
// own: a second call repeats the same path.
void PerformUpgrade(UpgradeState state, SystemServices& services, DialogOperations& dialog);

// Asks the platform to restart, enabling the shutdown privilege first when
// enablePrivilege is set. The restart is requested whether or not that worked.
void RequestReboot(SystemServices& services, bool enablePrivilege);
