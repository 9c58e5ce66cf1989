// Helpers that act on a modal dialog from inside the test process: a second
// thread answers message boxes, and posted input reaches the dialog's loop
// as the user's would.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

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
  // Waits until the thread has finished.
  void Join();
  // Stops waiting for a box (one that shows is still answered) and joins.
  void Stop();

 private:
  void Run(int button, HWND except);

  std::thread thread_;
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
std::wstring WindowTextW(HWND window);
// The icon a message box shows: that of its visible icon control, or null.
// Readable from another process too, though each process has handles of its
// own for the system's icons.
HICON MessageBoxIcon(HWND box);
