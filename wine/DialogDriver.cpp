// Finding a process's dialogs, and message boxes answered from a second
// thread of the test process.
#include "wine/DialogDriver.h"

#include <algorithm>
#include <chrono>

#include "wine/ProcessImage.h"

namespace {

struct Search {
  DWORD process;
  HWND except;
  HWND found;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM parameter) {
  Search& search = *reinterpret_cast<Search*>(parameter);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char className[16] = "";
  GetClassNameA(window, className, sizeof className);
  if (process == search.process && window != search.except && IsWindowVisible(window) &&
      lstrcmpA(className, "#32770") == 0) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CheckIconControl(HWND control, LPARAM parameter) {
  char className[16] = "";
  GetClassNameA(control, className, sizeof className);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  if (lstrcmpiA(className, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON &&
      IsWindowVisible(control)) {
    *reinterpret_cast<HICON*>(parameter) =
        reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0));
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectButton(HWND child, LPARAM parameter) {
  char className[16] = "";
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, "Button") == 0 && IsWindowVisible(child)) {
    reinterpret_cast<std::vector<int>*>(parameter)->push_back(GetDlgCtrlID(child));
  }
  return TRUE;
}

}  // namespace

HICON MessageBoxIcon(HWND box) {
  HICON icon = nullptr;
  EnumChildWindows(box, CheckIconControl, reinterpret_cast<LPARAM>(&icon));
  return icon;
}

HWND FindProcessDialog(DWORD process, HWND except) {
  Search search{process, except, nullptr};
  EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForProcessDialog(DWORD process, HWND except, DWORD limitMs) {
  const DWORD start = GetTickCount();
  HWND found = nullptr;
  while ((found = FindProcessDialog(process, except)) == nullptr &&
         GetTickCount() - start < limitMs) {
    Sleep(20);
  }
  return found;
}

bool StartProgram(const std::wstring& path, PROCESS_INFORMATION& process, std::string& why) {
  const size_t slash = path.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? L"." : path.substr(0, slash);
  std::wstring commandLine = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  process = PROCESS_INFORMATION{};
  if (CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                     folder.c_str(), &startup, &process)) {
    return true;
  }
  why = "cannot start it: error " + std::to_string(GetLastError());
  return false;
}

HWND StartAndFindDialog(const char* path, DWORD limitMs, PROCESS_INFORMATION& process,
                        std::string& why) {
  wchar_t widePath[MAX_PATH] = L"";
  MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH);
  if (!StartProgram(widePath, process, why)) {
    why = std::string(path) + ": " + why;
    return nullptr;
  }
  const DWORD start = GetTickCount();
  HWND dialog = nullptr;
  while (dialog == nullptr) {
    if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) {
      why = std::string(path) + " ended without showing its dialog";
      return nullptr;
    }
    if (GetTickCount() - start > limitMs) {
      why = std::string(path) + " showed no dialog within " + std::to_string(limitMs / 1000) + " s";
      TerminateProcess(process.hProcess, 1);
      return nullptr;
    }
    dialog = FindProcessDialog(process.dwProcessId, nullptr);
  }
  if (RunningImageMachine(process.hProcess) != IMAGE_FILE_MACHINE_I386) {
    why = std::string(path) + " is not a 32-bit x86 program";
    TerminateProcess(process.hProcess, 1);
    return nullptr;
  }
  return dialog;
}

bool PaintCaptionAsActivated(HWND dialog, std::string& why) {
  // A dialog is visible a moment before showing it has made it the
  // foreground window.
  const DWORD start = GetTickCount();
  for (;;) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread)) {
      why = "cannot read the dialog's thread state: error " + std::to_string(GetLastError());
      return false;
    }
    const bool active = thread.hwndActive == dialog;
    const bool foreground = GetForegroundWindow() == dialog;
    if (active && foreground) break;
    if (GetTickCount() - start > 5000) {
      why = active ? "the dialog is not the foreground window"
                   : "the dialog is not its thread's active window";
      return false;
    }
    Sleep(20);
  }
  SendMessageW(dialog, WM_NCACTIVATE, TRUE, 0);
  return true;
}

HWND FindDialogOfThisProcess(HWND except) {
  return FindProcessDialog(GetCurrentProcessId(), except);
}

std::wstring WindowTextW(HWND window) {
  wchar_t text[512] = L"";
  GetWindowTextW(window, text, 512);
  return text;
}

std::wstring ItemTextW(HWND dialog, int id) {
  wchar_t text[512] = L"";
  GetDlgItemTextW(dialog, id, text, 512);
  return text;
}

std::vector<int> VisibleButtons(HWND dialog) {
  std::vector<int> ids;
  EnumChildWindows(dialog, CollectButton, reinterpret_cast<LPARAM>(&ids));
  std::sort(ids.begin(), ids.end());
  return ids;
}

MessageBoxAnswerer::MessageBoxAnswerer(int button, HWND except) : button_(button), except_(except) {
  // Started once every member is initialised.
  thread_ = CreateThread(nullptr, 0, Start, this, 0, nullptr);
}

MessageBoxAnswerer::~MessageBoxAnswerer() { Join(); }

DWORD WINAPI MessageBoxAnswerer::Start(void* self) {
  static_cast<MessageBoxAnswerer*>(self)->Run();
  return 0;
}

void MessageBoxAnswerer::Join() {
  if (thread_ == nullptr) return;
  while (MsgWaitForMultipleObjects(1, &thread_, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0) {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  CloseHandle(thread_);
  thread_ = nullptr;
}

void MessageBoxAnswerer::Stop() {
  stop_ = true;
  Join();
}

void MessageBoxAnswerer::Run() {
  const int button = button_;
  const HWND except = except_;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!stop_ && std::chrono::steady_clock::now() < deadline) {
    if (HWND box = FindDialogOfThisProcess(except)) {
      caption_ = WindowTextW(box);
      text_ = ItemTextW(box, kMessageBoxText);
      icon_ = MessageBoxIcon(box);
      answered_ = true;
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
      return;
    }
    Sleep(20);
  }
}
