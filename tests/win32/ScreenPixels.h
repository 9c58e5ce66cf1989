// Pixels read back from the screen, as a screenshot shows them.
#pragma once

#include <windows.h>

#include <vector>

// 32-bit pixels, top-down, as 0x00RRGGBB.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<DWORD> data;
  COLORREF At(int x, int y) const {
    const DWORD p =
        data[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
};

// A bitmap's pixels; source is any DC of the screen's format.
Pixels ReadBitmap(HDC source, HBITMAP bitmap, int width, int height);
// What the screen shows in `area` (screen coordinates).
Pixels ReadScreen(const RECT& area);
