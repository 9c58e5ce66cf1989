// The main dialog's start, its upgrade button, its painting and its system
// menu. The decisions themselves are made in inspect/.
#include "ui/UpgradeDlg.h"

#include "inspect/Inspection.h"
#include "inspect/Upgrade.h"
#include "res/resource.h"
#include "ui/AboutDlg.h"
#include "ui/IconPosition.h"
#include "ui/WinApp.h"

namespace {

constexpr COLORREF kFieldColor = RGB(100, 190, 250);
// The part of the background picture the dialog shows.
constexpr int kBackgroundWidth = 450;
constexpr int kBackgroundHeight = 210;

}  // namespace

BEGIN_MESSAGE_MAP(CUpgradeDlg, CDialog)
  ON_WM_SYSCOMMAND()
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CUpgradeDlg::CUpgradeDlg(HWND parent)
    : CDialog(IDD_UPGRADE_DIALOG, parent), m_hIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME)) {}

void CUpgradeDlg::DoDataExchange(bool saveAndValidate) {
  CDialog::DoDataExchange(saveAndValidate);  // the dialog has no data to exchange
}

BOOL CUpgradeDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  AddAboutItemToSystemMenu();
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
  InspectUpgradeStatus();
  return TRUE;
}

void CUpgradeDlg::OnOK() {
  PerformUpgrade(static_cast<UpgradeState>(m_nUpgradeState), m_services, *this);
}

void CUpgradeDlg::AddAboutItemToSystemMenu() {
  AppendAboutItem(GetSystemMenu(FALSE), IDS_ABOUTBOX);
}

void CUpgradeDlg::InspectUpgradeStatus() {
  const InspectionResult result = ::InspectUpgradeStatus(m_services);
  m_nUpgradeState = result.state;
  ApplyInspection(result, *this);
}

void CUpgradeDlg::OnSysCommand(UINT id, LPARAM) {
  if ((id & 0xFFF0) == IDM_ABOUTBOX) {
    CAboutDlg about;
    about.DoModal();
  } else {
    Default();
  }
}

void CUpgradeDlg::OnPaint() {
  if (IsIconic()) {
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
    RECT client;
    GetClientRect(&client);
    const int x = CentredIconOffset(client.right - client.left, ::GetSystemMetrics(SM_CXICON));
    const int y = CentredIconOffset(client.bottom - client.top, ::GetSystemMetrics(SM_CYICON));
    dc.DrawIcon(x, y, m_hIcon);
    return;
  }

  CPaintDC dc(m_hWnd);
  CDC memory;
  if (memory.CreateCompatibleDC(&dc)) {
    // Without the picture there is nothing to copy: a blit would show
    // whatever the fresh memory context holds.
    CBitmap background;
    if (background.LoadBitmap(IDB_BACKGROUND)) {
      const HGDIOBJ previous = memory.SelectObject(background.m_hObject);
      dc.BitBlt(0, 0, kBackgroundWidth, kBackgroundHeight, &memory, 0, 0, SRCCOPY);
      memory.SelectObject(previous);
      background.DeleteObject();
    }
  }
  Default();
  memory.DeleteDC();
}

HCURSOR CUpgradeDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

HBRUSH CUpgradeDlg::OnCtlColor(CDC* dc, CWnd* control, UINT kind) {
  const HBRUSH brush = CDialog::OnCtlColor(dc, control, kind);
  const HWND window = control != nullptr ? control->m_hWnd : nullptr;
  if (kind == CTLCOLOR_STATIC &&
      (window == GetDlgItem(IDC_OS_NAME).m_hWnd || window == GetDlgItem(IDC_ATA_MODE).m_hWnd ||
       window == GetDlgItem(IDC_UPGRADE_STATUS).m_hWnd)) {
    // Made on first use and kept for the life of the process.
    static const HBRUSH fieldBrush = ::CreateSolidBrush(kFieldColor);
    dc->SetBkColor(kFieldColor);
    return fieldBrush;
  }
  return brush;
}

void CUpgradeDlg::SetFieldText(int controlId, const char* text) { SetDlgItemText(controlId, text); }

void CUpgradeDlg::EnableUpgradeButton(bool enable) { GetDlgItem(IDOK).EnableWindow(enable); }

void CUpgradeDlg::AppMessageBox(const char* text) { AfxMessageBox(text, MB_OK, 0); }

int CUpgradeDlg::AskMessageBox(const char* text, const char* caption, unsigned type) {
  return MessageBox(text, caption, type);
}
