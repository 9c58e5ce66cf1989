// What a person does to the dialog, as the window messages it amounts to:
// button clicks, keys and closing, and commands sent past a disabled button.
#pragma once

#include <windows.h>

#include <ostream>
#include <string>

#include "res/resource.h"

// The dialog's buttons, as its template numbers them (res/resource.h, the fields).
constexpr int kUpgradeButton = IDOK;
constexpr int kExitButton = IDCANCEL;

struct Action {
  enum class Target { kControl, kDialog };
  std::string name;
  Target target;
  int control;  // for Target::kControl
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool lParamIsSender;  // WM_COMMAND from a control carries the control's window

  // The window the message goes to, and its lParam, in this dialog.
  HWND TargetIn(HWND dialog) const;
  LPARAM LParamIn(HWND dialog) const;
};

// How GoogleTest prints an action that a test takes as its parameter.
inline void PrintTo(const Action& action, std::ostream* out) { *out << action.name; }

// BM_CLICK: what a mouse click on the button amounts to.
Action Click(int button, const std::string& buttonName);
// The WM_COMMAND a click would send, sent without the button: it reaches
// the dialog even when the button is disabled.
Action CommandFrom(int button, const std::string& buttonName);
// Esc's WM_KEYDOWN, posted to the dialog window itself.
Action EscapeKeyToDialog();
// What the close box sends when it is clicked.
Action CloseCommand();
// WM_CLOSE, which the close command and Alt+F4 end in.
Action CloseMessage();
