// One run of Quorvane.exe: started, its dialog found, messages sent to its
// windows, and its end awaited.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

class Program {
 public:
  Program() = default;
  ~Program();  // ends a run that a failed scenario left behind
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Starts it through the dialog driver's StartProgram and waits until its
  // main dialog is visible; false, with `why` said, when either fails.
  bool Start(const std::wstring& exePath, std::string& why);
  HWND dialog() const { return dialog_; }
  DWORD id() const { return process_.dwProcessId; }
  HANDLE handle() const { return process_.hProcess; }
  // A message box: a visible dialog of the process other than the main one.
  HWND FindMessageBox() const;
  bool HasEnded() const;
  // False if the process is still running when the safeguard expires.
  bool WaitForEnd(DWORD& exitCode);
  void Kill();

 private:
  PROCESS_INFORMATION process_{};
  HWND dialog_ = nullptr;
};

// One message sent to a window of the program from a helper thread. Its
// return proves that the program has handled it; a message box that the
// handler opens is found while the send still waits.
class Operation {
 public:
  Operation(Program& program, HWND target, UINT message, WPARAM wParam, LPARAM lParam);
  ~Operation();
  Operation(const Operation&) = delete;
  Operation& operator=(const Operation&) = delete;

  enum class Outcome { kHandled, kMessageBox, kStuck };
  // Until the message is handled, or a message box is up meanwhile.
  Outcome Wait(HWND& box);
  // After the box was answered: until the handler has returned.
  bool WaitHandled();

 private:
  Program& program_;
  std::atomic<bool> done_{false};
  std::thread thread_;
};

// How long to wait for Wine before calling the program hung. A guard against
// hanging the suite, never a measurement: every wait ends as soon as its
// condition holds.
constexpr DWORD kSafeguardMs = 30000;
