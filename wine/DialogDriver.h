// The one dialog driver, for the tests in process and end to end, the run
// command and the benchmark: in the test process a second thread answers
// message boxes, and posted input reaches the dialog's loop as the user's
// would; another process's program is started and its dialog found, read
// and shown active as Windows would show it. WM_GETTEXT to another process
// is marshalled by the system, so its texts arrive as UTF-16 whatever that
// process's code page.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

// A message box's text is the control with this id.
constexpr int kMessageBoxText = 0xFFFF;

// Waits for a message box of this process other than `except`, reads it and
// presses `button`. Stops at the first box it answers, when told, or after
// ten seconds.
class MessageBoxAnswerer {
 public:
  MessageBoxAnswerer(int button, HWND except);
  ~MessageBoxAnswerer();
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

  // After the box was answered: its caption and text (UTF-16), and whether one appeared.
  bool answered() const { return answered_; }
  const std::wstring& caption() const { return caption_; }
  const std::wstring& text() const { return text_; }
  // The icon it showed; null for none.
  HICON icon() const { return icon_; }
  // Waits until the thread has finished, letting messages sent to this
  // thread through meanwhile: under Wine a thread that has read another
  // thread's windows may send to it while it ends, and a plain join would
  // then wait for ever.
  void Join();
  // Stops waiting for a box (one that shows is still answered) and joins.
  void Stop();

 private:
  static DWORD WINAPI Start(void* self);
  void Run();

  int button_;
  HWND except_;
  HANDLE thread_ = nullptr;
  std::atomic<bool> answered_{false};
  std::atomic<bool> stop_{false};
  std::wstring caption_;
  std::wstring text_;
  HICON icon_ = nullptr;
};

// A visible dialog window (class #32770) of the process, other than `except`;
// null when there is none.
HWND FindProcessDialog(DWORD process, HWND except);
// The same, of this process.
HWND FindDialogOfThisProcess(HWND except);
// Waits at most limitMs for such a dialog; null when none shows.
HWND WaitForProcessDialog(DWORD process, HWND except, DWORD limitMs);
std::wstring WindowTextW(HWND window);
std::wstring ItemTextW(HWND dialog, int id);
// The ids of the dialog's visible buttons, in ascending order.
std::vector<int> VisibleButtons(HWND dialog);

// Starts a program from its own folder, as Explorer does, and without
// standard handles: the one way a program is started here. Under Wine a
// child with its starter's handles would hold the starter's output open,
// and whoever reads that output (the launcher) would wait for its end.
// False, with `why` said, when it cannot start.
bool StartProgram(const std::wstring& path, PROCESS_INFORMATION& process, std::string& why);
// Starts it so and waits at most limitMs for its visible dialog. Null, with
// `why` said, when it cannot start, ends first, shows no dialog in time or is
// not a 32-bit x86 program (then it is ended); `process` holds its handles.
HWND StartAndFindDialog(const char* path, DWORD limitMs, PROCESS_INFORMATION& process,
                        std::string& why);

// Wine 8 activates a dialog while it is still hidden, when the dialog
// manager gives the first control the focus after WM_INITDIALOG. Its process
// does not have the foreground yet, so the dialog is told WM_NCACTIVATE
// FALSE and paints its caption inactive. When showing it then makes it the
// foreground window it is already active, and Wine sends nothing more, where
// Windows sends WM_NCACTIVATE TRUE. This sends that message, and only where
// the dialog really is its thread's active window and the foreground window;
// otherwise it sends nothing and says why.
bool PaintCaptionAsActivated(HWND dialog, std::string& why);

// The icon a message box shows: that of its visible icon control, or null.
// Readable from another process too, though each process has handles of its
// own for the system's icons.
HICON MessageBoxIcon(HWND box);
