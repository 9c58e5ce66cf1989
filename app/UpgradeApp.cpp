// The application object and its run: the main dialog, modally, then exit.
#include "app/UpgradeApp.h"

#include "ui/UpgradeDlg.h"

CUpgradeApp theApp;

BOOL CUpgradeApp::InitInstance() {
  AfxEnableControlContainer();
  Enable3dControls();

  CUpgradeDlg dialog;
  m_pMainWnd = &dialog;
  dialog.DoModal();
  m_pMainWnd = nullptr;  // the dialog is gone with this scope

  return FALSE;  // no message loop of our own: the process ends
}
