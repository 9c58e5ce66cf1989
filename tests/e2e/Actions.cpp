// The messages, with the parameters Windows itself gives them.
#include "Actions.h"

namespace {

// WM_KEYDOWN's lParam for a first press of Esc: repeat count 1, scan code 1.
constexpr LPARAM kEscapeKeyData = 0x00010001;

Action ToDialog(const std::string& name, UINT message, WPARAM wParam, LPARAM lParam) {
  return {name, Action::Target::kDialog, 0, message, wParam, lParam, false};
}

}  // namespace

HWND Action::TargetIn(HWND dialog) const {
  return target == Target::kControl ? GetDlgItem(dialog, control) : dialog;
}

LPARAM Action::LParamIn(HWND dialog) const {
  if (!lParamIsSender) return lParam;
  return reinterpret_cast<LPARAM>(GetDlgItem(dialog, LOWORD(wParam)));
}

Action Click(int button, const std::string& buttonName) {
  return {"click " + buttonName, Action::Target::kControl, button, BM_CLICK, 0, 0, false};
}

Action CommandFrom(int button, const std::string& buttonName) {
  Action command = ToDialog("WM_COMMAND from " + buttonName, WM_COMMAND,
                            MAKEWPARAM(static_cast<WORD>(button), BN_CLICKED), 0);
  command.lParamIsSender = true;
  return command;
}

Action EscapeKeyToDialog() {
  return ToDialog("Esc WM_KEYDOWN posted to the dialog", WM_KEYDOWN, VK_ESCAPE, kEscapeKeyData);
}

Action CloseCommand() { return ToDialog("WM_SYSCOMMAND SC_CLOSE", WM_SYSCOMMAND, SC_CLOSE, 0); }

Action CloseMessage() { return ToDialog("WM_CLOSE", WM_CLOSE, 0, 0); }
