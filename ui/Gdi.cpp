// Bitmaps from the executable's resources.
#include "ui/Gdi.h"

#include "ui/WinApp.h"

BOOL CBitmap::LoadBitmap(UINT id) {
  DeleteObject();
  m_hObject = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
  return m_hObject != nullptr;
}
