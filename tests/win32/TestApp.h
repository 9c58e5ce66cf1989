// The application object of the dialog tests: the one the framework finds,
// counting the help commands it receives.
#pragma once

#include "ui/WinApp.h"

class TestApp : public CWinApp {
 public:
  void OnHelp() override { ++helpCalls; }
  int helpCalls = 0;
};

extern TestApp theTestApp;
