// Reading pixels back from bitmaps and from the screen.
#include "ScreenPixels.h"

Pixels ReadBitmap(HDC source, HBITMAP bitmap, int width, int height) {
  Pixels pixels;
  pixels.width = width;
  pixels.height = height;
  pixels.data.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  GetDIBits(source, bitmap, 0, static_cast<UINT>(height), pixels.data.data(), &info,
            DIB_RGB_COLORS);
  return pixels;
}

Pixels ReadScreen(const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP shot = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = SelectObject(memory, shot);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, previous);
  Pixels pixels = ReadBitmap(memory, shot, width, height);
  DeleteObject(shot);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}
