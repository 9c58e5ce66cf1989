// A window handle with the few operations the dialogs use. It owns nothing:
// the window belongs to whoever created it.
#pragma once

#include <windows.h>

class CMenu {
 public:
  explicit CMenu(HMENU menu = nullptr) : m_hMenu(menu) {}
  BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr) {
    return ::AppendMenuA(m_hMenu, flags, id, text);
  }
  HMENU m_hMenu;
};

class CWnd {
 public:
  explicit CWnd(HWND window = nullptr) : m_hWnd(window) {}
  virtual ~CWnd() = default;

  HWND GetSafeHwnd() const { return m_hWnd; }

  // A child control; its handle is null when the dialog has no such control.
  CWnd GetDlgItem(int id) const { return CWnd(::GetDlgItem(m_hWnd, id)); }
  void SetDlgItemText(int id, const char* text) { ::SetDlgItemTextA(m_hWnd, id, text); }
  BOOL EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  // A modal message box owned by this window; returns the button pressed.
  int MessageBox(const char* text, const char* caption, UINT type) {
    return ::MessageBoxA(m_hWnd, text, caption, type);
  }
  // The window menu, as it stands (revert FALSE) or reset to the default.
  CMenu GetSystemMenu(BOOL revert) const { return CMenu(::GetSystemMenu(m_hWnd, revert)); }

  HWND m_hWnd;
};
