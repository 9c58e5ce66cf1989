// The stand-ins forward every call to GDI and count what came of it.
#include "GdiCounter.h"

#include <map>
#include <set>

#include "ImportPatch.h"

namespace gdi_counter {

bool failLoadBitmap = false;
SIZE clientSize{0, 0};

namespace {

GdiCounts counts;
std::vector<IconDraw> iconDraws;
std::set<HGDIOBJ> ours;  // made through the stand-ins and not yet released
// The bitmap each memory context holds. Windows refuses to delete a bitmap
// that is still selected; Wine defers it, so the check is made here.
std::map<HDC, HGDIOBJ> selectedBitmaps;

decltype(&::CreateCompatibleDC) realCreateCompatibleDC;
decltype(&::DeleteDC) realDeleteDC;
decltype(&::LoadBitmapA) realLoadBitmapA;
decltype(&::DeleteObject) realDeleteObject;
decltype(&::CreateSolidBrush) realCreateSolidBrush;
decltype(&::BitBlt) realBitBlt;
decltype(&::SelectObject) realSelectObject;
decltype(&::BeginPaint) realBeginPaint;
decltype(&::DrawIcon) realDrawIcon;
decltype(&::GetClientRect) realGetClientRect;

HDC WINAPI CountCreateCompatibleDC(HDC dc) {
  HDC made = realCreateCompatibleDC(dc);
  if (made != nullptr) {
    ++counts.made;
    ours.insert(made);
  }
  return made;
}

void CountRelease(HGDIOBJ object, BOOL deleted) {
  if (ours.count(object) == 0) return;
  if (deleted) {
    ++counts.released;
    ours.erase(object);
  } else {
    ++counts.failedReleases;
  }
}

BOOL WINAPI CountDeleteDC(HDC dc) {
  selectedBitmaps.erase(dc);
  const BOOL deleted = realDeleteDC(dc);
  CountRelease(dc, deleted);
  return deleted;
}

HBITMAP WINAPI CountLoadBitmapA(HINSTANCE instance, LPCSTR name) {
  if (failLoadBitmap) return nullptr;
  HBITMAP made = realLoadBitmapA(instance, name);
  if (made != nullptr) {
    ++counts.made;
    ours.insert(made);
  }
  return made;
}

BOOL WINAPI CountDeleteObject(HGDIOBJ object) {
  for (const auto& [dc, bitmap] : selectedBitmaps) {
    if (bitmap == object && ours.count(object) != 0) {
      ++counts.failedReleases;
      return FALSE;
    }
  }
  const BOOL deleted = realDeleteObject(object);
  CountRelease(object, deleted);
  return deleted;
}

HBRUSH WINAPI CountCreateSolidBrush(COLORREF color) {
  ++counts.brushesMade;
  return realCreateSolidBrush(color);
}

BOOL WINAPI CountBitBlt(HDC to, int x, int y, int width, int height, HDC from, int fromX, int fromY,
                        DWORD rop) {
  ++counts.blits;
  return realBitBlt(to, x, y, width, height, from, fromX, fromY, rop);
}

HGDIOBJ WINAPI CountSelectObject(HDC dc, HGDIOBJ object) {
  if (object == nullptr) ++counts.nullSelections;
  const HGDIOBJ previous = realSelectObject(dc, object);
  if (previous != nullptr && GetObjectType(object) == OBJ_BITMAP) selectedBitmaps[dc] = object;
  return previous;
}

HDC WINAPI RecordBeginPaint(HWND window, PAINTSTRUCT* paint) {
  counts.lastPaintDc = realBeginPaint(window, paint);
  return counts.lastPaintDc;
}

BOOL WINAPI RecordDrawIcon(HDC dc, int x, int y, HICON icon) {
  iconDraws.push_back({dc, x, y, icon});
  return realDrawIcon(dc, x, y, icon);
}

BOOL WINAPI ReportClientRect(HWND window, RECT* rect) {
  if (clientSize.cx == 0 && clientSize.cy == 0) return realGetClientRect(window, rect);
  *rect = RECT{0, 0, clientSize.cx, clientSize.cy};
  return TRUE;
}

template <class Function>
void Patch(const char* dll, const char* name, Function replacement, Function& original) {
  original =
      reinterpret_cast<Function>(PatchImport(dll, name, reinterpret_cast<void*>(replacement)));
}

}  // namespace

bool Install() {
  if (realBitBlt != nullptr) return true;
  Patch("gdi32.dll", "CreateCompatibleDC", &CountCreateCompatibleDC, realCreateCompatibleDC);
  Patch("gdi32.dll", "DeleteDC", &CountDeleteDC, realDeleteDC);
  Patch("user32.dll", "LoadBitmapA", &CountLoadBitmapA, realLoadBitmapA);
  Patch("gdi32.dll", "DeleteObject", &CountDeleteObject, realDeleteObject);
  Patch("gdi32.dll", "CreateSolidBrush", &CountCreateSolidBrush, realCreateSolidBrush);
  Patch("gdi32.dll", "BitBlt", &CountBitBlt, realBitBlt);
  Patch("gdi32.dll", "SelectObject", &CountSelectObject, realSelectObject);
  Patch("user32.dll", "BeginPaint", &RecordBeginPaint, realBeginPaint);
  Patch("user32.dll", "DrawIcon", &RecordDrawIcon, realDrawIcon);
  Patch("user32.dll", "GetClientRect", &ReportClientRect, realGetClientRect);
  return realCreateCompatibleDC && realDeleteDC && realLoadBitmapA && realDeleteObject &&
         realCreateSolidBrush && realBitBlt && realSelectObject && realBeginPaint && realDrawIcon &&
         realGetClientRect;
}

GdiCounts& Counts() { return counts; }
std::vector<IconDraw>& IconDraws() { return iconDraws; }

}  // namespace gdi_counter
