// Wine hands its top-level windows to the X window manager by default: the
// manager draws their frames, and Wine waits up to two seconds for it to
// withdraw each window that is hidden. Under Xvfb there is no manager, so
// the dialog would have no caption and every close would stall for those two
// seconds. Unmanaged, Wine draws caption and close box itself, as Windows
// does, and hides windows at once.
#include "WineWindows.h"

#include "TestRegistry.h"

bool LetWineFrameProgramWindows() {
  // The per-program section: other programs in the prefix keep the default.
  return testreg::SetString(
      HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Quorvane.exe\\X11 Driver", "Managed", "N");
}
