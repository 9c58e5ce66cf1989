// Which Windows is running: the one question every decision starts from.
#pragma once

#include "inspect/SystemServices.h"

enum WindowsVersion {
  OS_OTHER = 0,
  OS_WIN98 = 1,
  OS_WIN98SE = 2,
  OS_WINME = 3,
  OS_WINNT4 = 4,
  OS_WIN2000 = 5,
  OS_WINXP = 6,
};

// The pure decision over the version record's fields.
WindowsVersion ClassifyVersionRecord(const VersionRecord& record);

// Asks the platform for its version record and classifies it; a failed query
// yields OS_OTHER.
WindowsVersion ClassifyWindowsVersion(SystemServices& services);
