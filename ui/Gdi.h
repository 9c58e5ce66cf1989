// Device contexts and bitmaps that release what they made when they leave
// scope. A CDC made from a handle only borrows it.
#pragma once

#include <windows.h>

class CDC {
 public:
  explicit CDC(HDC dc = nullptr) : m_hDC(dc) {}
  ~CDC() {
    if (m_owned) ::DeleteDC(m_hDC);
  }
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  // A memory context compatible with other; FALSE when it cannot be made.
  BOOL CreateCompatibleDC(CDC* other) {
    m_hDC = ::CreateCompatibleDC(other != nullptr ? other->m_hDC : nullptr);
    m_owned = m_hDC != nullptr;
    return m_owned;
  }
  // Deletes a context this object made; a borrowed one is left alone.
  void DeleteDC() {
    if (m_owned) ::DeleteDC(m_hDC);
    m_hDC = nullptr;
    m_owned = false;
  }

  HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
  COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
  BOOL BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY,
              DWORD rop) {
    return ::BitBlt(m_hDC, x, y, width, height, source->m_hDC, sourceX, sourceY, rop);
  }
  BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }

  HDC m_hDC;

 private:
  bool m_owned = false;
};

// BeginPaint on construction, EndPaint on destruction.
class CPaintDC : public CDC {
 public:
  explicit CPaintDC(HWND window) : m_window(window) { m_hDC = ::BeginPaint(window, &m_ps); }
  ~CPaintDC() { ::EndPaint(m_window, &m_ps); }

 private:
  HWND m_window;
  PAINTSTRUCT m_ps{};
};

class CBitmap {
 public:
  CBitmap() = default;
  ~CBitmap() { DeleteObject(); }
  CBitmap(const CBitmap&) = delete;
  CBitmap& operator=(const CBitmap&) = delete;

  BOOL LoadBitmap(UINT id);
  void DeleteObject() {
    if (m_hObject != nullptr) ::DeleteObject(m_hObject);
    m_hObject = nullptr;
  }
  HBITMAP m_hObject = nullptr;
};
