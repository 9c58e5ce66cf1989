// The main dialog: shows what the inspection found and runs the upgrade.
#pragma once

#include "inspect/DialogOperations.h"
#include "inspect/SystemServices_win.h"
#include "inspect/UpgradeState.h"
#include "ui/Dialog.h"
#include "ui/Gdi.h"

class CUpgradeDlg : public CDialog, private DialogOperations {
 public:
  explicit CUpgradeDlg(HWND parent = nullptr);

  void DoDataExchange(bool saveAndValidate) override;
  BOOL OnInitDialog() override;
  void OnOK() override;  // the upgrade action; never ends the dialog

  // Message handlers
  void OnSysCommand(UINT id, LPARAM param);  // the About item; the rest as usual
  void OnPaint();                            // the background picture, or the icon when minimised
  HCURSOR OnQueryDragIcon();                 // the icon, when a minimised dialog is dragged
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);  // the three fields on light blue

  HICON m_hIcon;
  int m_nUpgradeState = STATE_UNSUPPORTED;  // until the inspection decides

  DECLARE_MESSAGE_MAP()

 private:
  void AddAboutItemToSystemMenu();
  void InspectUpgradeStatus();

  // What the inspection and the upgrade do to the dialog.
  void SetFieldText(int controlId, const char* text) override;
  void EnableUpgradeButton(bool enable) override;
  void AppMessageBox(const char* text) override;
  int AskMessageBox(const char* text, const char* caption, unsigned type) override;

  Win32SystemServices m_services;
};
