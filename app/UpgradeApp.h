// The application: one modal dialog is its whole life.
#pragma once

#include "ui/WinApp.h"

class CUpgradeApp : public CWinApp {
 public:
  CUpgradeApp() : CWinApp(nullptr) {}
  BOOL InitInstance() override;
};

extern CUpgradeApp theApp;
