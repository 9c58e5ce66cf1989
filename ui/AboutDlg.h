// The About box: the program's name, version and purpose.
#pragma once

#include "res/resource.h"
#include "ui/Dialog.h"
#include "ui/Wnd.h"

class CAboutDlg : public CDialog {
 public:
  explicit CAboutDlg(HWND parent = nullptr) : CDialog(IDD_ABOUTBOX, parent) {}

 protected:
  void DoDataExchange(bool) override {}  // nothing to exchange
};

// Appends a separator and the About item (IDM_ABOUTBOX, its text the string
// textId) to a window's system menu. Appends nothing when there is no menu
// or the string is missing or empty.
void AppendAboutItem(CMenu systemMenu, UINT textId);
