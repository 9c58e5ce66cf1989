// The application object and the start-up that runs it.
#pragma once

#include <windows.h>

class CWnd;

// The command of a Help button or the F1 accelerator.
constexpr UINT ID_HELP = 0xE146;

class CWinApp {
 public:
  // Registers the one application object; appName may be null.
  explicit CWinApp(const char* appName = nullptr);
  virtual ~CWinApp() = default;
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // Runs the application; FALSE ends the process without a message loop.
  virtual BOOL InitInstance() { return FALSE; }

  // Commands no window took: ID_HELP goes to OnHelp. TRUE when handled.
  BOOL OnCmdMsg(UINT id);
  virtual void OnHelp();

  HICON LoadIcon(UINT id) const;
  // Dialogs drew in 3D by themselves from Windows 95 on; the helper library
  // that older systems needed has no work left to do.
  void Enable3dControls() {}

  const char* m_pszAppName;
  CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetResourceHandle();

// The process's start: calls InitInstance of the one application object.
int AfxWinMain(HINSTANCE instance);

// The dialogs host no ActiveX controls, so there is no OLE to set up.
inline void AfxEnableControlContainer() {}

// A message box with the application's title as its caption: the
// application's name, or else the executable's file name without extension.
// A type without an icon gets the one its buttons call for: MB_OK the
// exclamation mark. text is a program text (code page 936).
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
