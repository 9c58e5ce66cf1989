// A thread timer fires inside the dialog's modal loop; its callback finds the
// dialog and hands it to the test.
#include "ModalRun.h"

#include "wine/DialogDriver.h"

namespace modal_run {
namespace {

std::function<void(HWND)> pending;
UINT_PTR timer = 0;

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = FindDialogOfThisProcess(nullptr);
  if (dialog == nullptr || !pending) return;  // not shown yet: try again
  KillTimer(nullptr, timer);
  timer = 0;
  auto whileOpen = std::move(pending);
  pending = nullptr;
  whileOpen(dialog);
}

}  // namespace

void Arm(std::function<void(HWND)> whileOpen) {
  pending = std::move(whileOpen);
  timer = SetTimer(nullptr, 0, 20, OnTimer);
}

void Disarm() {
  if (timer != 0) KillTimer(nullptr, timer);
  timer = 0;
  pending = nullptr;
}

}  // namespace modal_run
