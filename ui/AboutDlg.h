// The About box: the program's name, version and purpose.
#pragma once

#include "res/resource.h"
#include "ui/Dialog.h"

class CAboutDlg : public CDialog {
 public:
  explicit CAboutDlg(HWND parent = nullptr) : CDialog(IDD_ABOUTBOX, parent) {}

 protected:
  void DoDataExchange(bool) override {}  // nothing to exchange
};
