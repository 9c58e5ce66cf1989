// Counts the GDI objects that the code under test makes and releases, by
// standing in for the GDI calls in this program's import table. Wine's
// GetGuiResources does not count GDI objects, so this is how a leak shows.
#pragma once

#include <windows.h>

struct GdiCounts {
  int made = 0;            // memory contexts, loaded bitmaps
  int released = 0;        // of those, deleted successfully
  int failedReleases = 0;  // deletes that failed: still selected, or not ours
  int brushesMade = 0;
  int blits = 0;
  int nullSelections = 0;  // SelectObject of a null object
};

namespace gdi_counter {
bool Install();  // once per process; false when a call could not be replaced
GdiCounts& Counts();
// While set, LoadBitmapA fails as it does when the resource is missing.
extern bool failLoadBitmap;
}  // namespace gdi_counter
