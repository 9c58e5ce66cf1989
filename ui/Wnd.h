// A window handle with the few operations the dialogs use. It owns nothing:
// the window belongs to whoever created it.
#pragma once

#include <windows.h>

#include "ui/String.h"
#include "ui/Text.h"

class CMenu {
 public:
  explicit CMenu(HMENU menu = nullptr) : m_hMenu(menu) {}
  // An item without text, such as MF_SEPARATOR.
  BOOL AppendMenu(UINT flags, UINT_PTR id = 0) {
    return ::AppendMenuA(m_hMenu, flags, id, nullptr);
  }
  // A string item, in the form the text was loaded in.
  BOOL AppendMenu(UINT flags, UINT_PTR id, const CString& text) {
    if (text.IsWide()) return ::AppendMenuW(m_hMenu, flags, id, text.GetWide());
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
  // text is a program text (code page 936).
  void SetDlgItemText(int id, const char* text) { AfxSetDlgItemText(m_hWnd, id, text); }
  BOOL EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  // A modal message box owned by this window, with program texts; returns
  // the button pressed.
  int MessageBox(const char* text, const char* caption, UINT type) {
    return AfxShowMessageBox(m_hWnd, text, caption, kProgramCodePage, type);
  }
  // The window menu, as it stands (revert FALSE) or reset to the default.
  CMenu GetSystemMenu(BOOL revert) const { return CMenu(::GetSystemMenu(m_hWnd, revert)); }

  HWND m_hWnd;
};
