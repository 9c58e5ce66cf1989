// What the upgrade action may do, as the inspection left it.
#pragma once

enum UpgradeState {
  STATE_VALUE_ABSENT = 0,  // Windows 2000 SP4, driver key open, value not readable
  STATE_VALUE_ZERO = 1,    // Windows 2000 SP4, value read, first byte zero
  STATE_UPGRADED = 2,      // Windows 2000 SP4, value read, first byte nonzero
  STATE_UNSUPPORTED = 3,   // anything the upgrade must not touch
};
