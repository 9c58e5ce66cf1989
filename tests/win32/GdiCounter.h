// Counts the GDI objects that the code under test makes and releases, by
// standing in for the GDI calls in this program's import table. Wine's
// GetGuiResources does not count GDI objects, so this is how a leak shows.
// It also records the icons drawn, and into which paint context.
#pragma once

#include <windows.h>

#include <vector>

struct GdiCounts {
  int made = 0;            // memory contexts, loaded bitmaps
  int released = 0;        // of those, deleted successfully
  int failedReleases = 0;  // deletes that failed: still selected, or not ours
  int brushesMade = 0;
  int blits = 0;
  int nullSelections = 0;     // SelectObject of a null object
  HDC lastPaintDc = nullptr;  // what BeginPaint gave last
};

struct IconDraw {
  HDC dc;
  int x;
  int y;
  HICON icon;
};

namespace gdi_counter {
bool Install();  // once per process; false when a call could not be replaced
GdiCounts& Counts();
std::vector<IconDraw>& IconDraws();  // every DrawIcon call, in order
// While set, LoadBitmapA fails as it does when the resource is missing.
extern bool failLoadBitmap;
// While not 0 x 0, GetClientRect reports this size: a minimised window's
// client area is empty, and a position computed from it could not tell its
// width from its height.
extern SIZE clientSize;
}  // namespace gdi_counter
