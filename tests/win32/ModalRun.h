// Runs a dialog modally in the test thread and acts on it from inside its
// own message loop, as the user's input would arrive.
#pragma once

#include <windows.h>

#include <functional>

// Calls whileOpen with the dialog's window once its modal loop runs, then
// returns what DoModal returned. whileOpen must end the dialog, or have
// something end it.
template <class Dialog>
INT_PTR RunModal(Dialog& dialog, std::function<void(HWND)> whileOpen);

namespace modal_run {
void Arm(std::function<void(HWND)> whileOpen);
void Disarm();
}  // namespace modal_run

template <class Dialog>
INT_PTR RunModal(Dialog& dialog, std::function<void(HWND)> whileOpen) {
  modal_run::Arm(std::move(whileOpen));
  const INT_PTR result = dialog.DoModal();
  modal_run::Disarm();
  return result;
}
