// CreateProcess and polling. The main dialog is shown only after
// WM_INITDIALOG has returned, so once it is visible its fields are filled.
#include "Program.h"

#include "wine/DialogDriver.h"

namespace {

constexpr DWORD kPollMs = 20;

// Polls `done` until it holds or the safeguard expires.
template <typename Condition>
bool PollUntil(Condition done) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > kSafeguardMs) return false;
    Sleep(kPollMs);
  }
  return true;
}

}  // namespace

Program::~Program() {
  if (process_.hProcess == nullptr) return;
  if (!HasEnded()) Kill();
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

bool Program::Start(const std::wstring& exePath, std::string& why) {
  if (!StartProgram(exePath, process_, why)) return false;
  PollUntil([this] {
    dialog_ = FindProcessDialog(id(), nullptr);
    return dialog_ != nullptr || HasEnded();
  });
  if (dialog_ == nullptr) why = "no dialog appeared";
  return dialog_ != nullptr;
}

HWND Program::FindMessageBox() const { return FindProcessDialog(id(), dialog_); }

bool Program::HasEnded() const {
  return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
}

bool Program::WaitForEnd(DWORD& exitCode) {
  if (WaitForSingleObject(process_.hProcess, kSafeguardMs) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(process_.hProcess, &exitCode);
  return true;
}

void Program::Kill() {
  TerminateProcess(process_.hProcess, 99);
  WaitForSingleObject(process_.hProcess, kSafeguardMs);
}

Operation::Operation(Program& program, HWND target, UINT message, WPARAM wParam, LPARAM lParam)
    : program_(program), thread_([this, target, message, wParam, lParam] {
        // Returns when the program's handler returns, or at once if the
        // window is gone.
        SendMessageW(target, message, wParam, lParam);
        done_ = true;
      }) {}

Operation::~Operation() {
  // A send still waiting on a hung program is released by ending it.
  if (!done_) program_.Kill();
  thread_.join();
}

Operation::Outcome Operation::Wait(HWND& box) {
  box = nullptr;
  const bool settled = PollUntil([this, &box] {
    if (done_) return true;
    box = program_.FindMessageBox();
    return box != nullptr;
  });
  if (!settled) return Outcome::kStuck;
  return box != nullptr ? Outcome::kMessageBox : Outcome::kHandled;
}

bool Operation::WaitHandled() {
  return PollUntil([this] { return done_.load(); });
}
