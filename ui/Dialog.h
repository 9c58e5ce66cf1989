// A modal dialog bound to a template and a parent, driven by one static
// dialog procedure that hands each message to the object's message map or to
// its virtual members.
#pragma once

#include <windows.h>

#include "ui/MessageMap.h"
#include "ui/Wnd.h"

class CDialog : public CWnd {
 public:
  CDialog(UINT templateId, HWND parent);
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Runs the dialog until EndDialog; returns its end code, or -1 when the
  // dialog could not be created.
  INT_PTR DoModal();
  void EndDialog(INT_PTR result) { ::EndDialog(m_hWnd, result); }

  virtual BOOL OnInitDialog();
  virtual void OnOK();      // the default push button, or Enter
  virtual void OnCancel();  // the cancel button, Esc, the close box, Close
  virtual void DoDataExchange(bool saveAndValidate);

  // The default processing of the message being handled.
  LRESULT Default();
  // WM_CTLCOLOR*: the brush the default processing gives. kind is the
  // message's offset from WM_CTLCOLORMSGBOX, CTLCOLOR_MSGBOX to CTLCOLOR_STATIC.
  HBRUSH OnCtlColor(class CDC* dc, CWnd* control, UINT kind);

 protected:
  static const MessageMap* GetThisMessageMap();
  virtual const MessageMap* GetMessageMap() const;

  UINT m_nIDTemplate;
  HWND m_hWndParent;

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  const MessageMapEntry* FindEntry(UINT message, WPARAM wParam) const;

  // The message being handled, for Default().
  MSG m_current{};
  // Default() calls DefDlgProc, which calls the dialog procedure again with
  // the same message; that one call must fall through to the default.
  bool m_passToDefault = false;
};
