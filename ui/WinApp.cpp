// The one application object, its start-up and its message box.
#include "ui/WinApp.h"

#include <cstring>

#include "ui/Text.h"
#include "ui/Wnd.h"

namespace {

CWinApp* theOneApp = nullptr;
HINSTANCE resourceInstance = nullptr;

// "C:\dir\Quorvane.exe" -> "Quorvane"
void ExecutableTitle(char* title, DWORD size) {
  char path[MAX_PATH] = "";
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  const char* name = path;
  for (const char* p = path; *p != '\0'; p = ::CharNextA(p)) {
    if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
  }
  lstrcpynA(title, name, static_cast<int>(size));
  if (char* dot = std::strrchr(title, '.')) *dot = '\0';
}

}  // namespace

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName) { theOneApp = this; }

BOOL CWinApp::OnCmdMsg(UINT id) {
  if (id != ID_HELP) return FALSE;
  OnHelp();
  return TRUE;
}

// There is no help file to open.
void CWinApp::OnHelp() {}

HICON CWinApp::LoadIcon(UINT id) const {
  return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
}

CWinApp* AfxGetApp() { return theOneApp; }

HINSTANCE AfxGetResourceHandle() {
  return resourceInstance != nullptr ? resourceInstance : ::GetModuleHandleA(nullptr);
}

int AfxWinMain(HINSTANCE instance) {
  resourceInstance = instance;
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return 1;
  app->InitInstance();
  return 0;
}

int AfxMessageBox(const char* text, UINT type, UINT helpId) {
  (void)helpId;  // no help file: the context has nowhere to lead
  // A box that asks for no icon gets the one that fits its buttons: the
  // exclamation mark for a notice (OK, or OK and Cancel), the question mark
  // for a question (Yes and No).
  if ((type & MB_ICONMASK) == 0) {
    switch (type & MB_TYPEMASK) {
      case MB_OK:
      case MB_OKCANCEL:
        type |= MB_ICONEXCLAMATION;
        break;
      case MB_YESNO:
      case MB_YESNOCANCEL:
        type |= MB_ICONQUESTION;
        break;
      default:
        break;
    }
  }
  char title[MAX_PATH];
  UINT titleCodePage = kProgramCodePage;
  const CWinApp* app = AfxGetApp();
  if (app != nullptr && app->m_pszAppName != nullptr) {
    lstrcpynA(title, app->m_pszAppName, MAX_PATH);
  } else {
    ExecutableTitle(title, MAX_PATH);
    titleCodePage = CP_ACP;  // a file name, as the ANSI function gave it
  }
  // Owned by the main window, so that it is modal over the dialog.
  HWND owner = nullptr;
  if (app != nullptr && app->m_pMainWnd != nullptr) owner = app->m_pMainWnd->GetSafeHwnd();
  return AfxShowMessageBox(owner, text, title, titleCodePage, type);
}
