// The benchmark's floor: what the main dialog's start-up costs at the least.
// It does the program's start-up work the shortest way, in flat Win32 with
// no framework: the same template, run as a wide dialog; the same registry
// reads in the same order; the icons; the system menu's About item; the
// fields' colour; the picture loaded and copied on every paint; the three
// texts of the benchmark's machine. Any implementation pays at least this,
// so the program's ratio to it measures our own code: the framework, the
// text path, the message maps. Nothing after start-up is done (the About
// box, the upgrade), and its texts are written as UTF-16 literals.
#include <windows.h>

#include "res/resource.h"

namespace {

constexpr COLORREF kFieldColor = RGB(100, 190, 250);
HBRUSH fieldBrush = nullptr;

// The benchmark's machine is Windows 2000 SP4 with the driver's key and no
// value in it. Another machine leaves the fields empty, and the benchmark,
// which waits for them, cannot measure rather than measure other work.
void Inspect(HWND dialog) {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;  // 148: every Windows from 95 on
  const bool windows2000 = GetVersionExA(&version) && version.dwPlatformId == 2 &&
                           version.dwMajorVersion == 5 && version.dwMinorVersion == 0;

  HKEY key = nullptr;
  DWORD servicePack = 0;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Windows", 0,
                    KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
    DWORD size = sizeof servicePack;
    RegQueryValueExA(key, "CSDVersion", nullptr, nullptr, reinterpret_cast<BYTE*>(&servicePack),
                     &size);
    RegCloseKey(key);
  }

  bool valueAbsent = false;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\Atapi\\Parameters", 0,
                    KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    BYTE data[4] = {0, 0, 0, 0};
    DWORD size = sizeof data;
    DWORD type = 0;
    valueAbsent =
        RegQueryValueExA(key, "Quorvane", nullptr, &type, data, &size) == ERROR_FILE_NOT_FOUND;
    RegCloseKey(key);
  }

  if (!windows2000 || (servicePack & 0xFFFF) != 0x0400 || !valueAbsent) return;
  SetDlgItemTextW(dialog, IDC_OS_NAME, L"Windows 2000 SP4");
  SetDlgItemTextW(dialog, IDC_UPGRADE_STATUS, L"需要升级");
  SetDlgItemTextW(dialog, IDC_ATA_MODE, L"28位ATA规范");
  EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
}

void Paint(HWND dialog) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(dialog, &paint);
  const HDC memory = CreateCompatibleDC(dc);
  const HBITMAP picture = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_BACKGROUND));
  if (memory != nullptr && picture != nullptr) {
    const HGDIOBJ previous = SelectObject(memory, picture);
    BitBlt(dc, 0, 0, 450, 210, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
  }
  if (picture != nullptr) DeleteObject(picture);
  if (memory != nullptr) DeleteDC(memory);
  EndPaint(dialog, &paint);
}

bool IsField(HWND control) {
  const int id = GetDlgCtrlID(control);
  return id == IDC_OS_NAME || id == IDC_ATA_MODE || id == IDC_UPGRADE_STATUS;
}

// FALSE hands a message on to the dialog manager's default processing.
INT_PTR CALLBACK FloorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const HMENU menu = GetSystemMenu(dialog, FALSE);
      wchar_t about[64];
      if (menu != nullptr && LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, about, 64) > 0) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, about);
      }
      const HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
      SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
      SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
      Inspect(dialog);
      return TRUE;
    }
    case WM_PAINT:
      Paint(dialog);
      return FALSE;
    case WM_CTLCOLORSTATIC:
      if (!IsField(reinterpret_cast<HWND>(lParam))) return FALSE;
      SetBkColor(reinterpret_cast<HDC>(wParam), kFieldColor);
      return reinterpret_cast<INT_PTR>(fieldBrush);
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  fieldBrush = CreateSolidBrush(kFieldColor);
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_UPGRADE_DIALOG), nullptr, FloorProc, 0);
  return 0;
}
