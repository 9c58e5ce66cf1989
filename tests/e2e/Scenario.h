// The frame every scenario shares: the machine prepared, a snapshot of the
// control set, the program started and its dialog found; then the person's
// actions, each with its expected reaction; at the end the control set
// compared with the snapshot.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Actions.h"
#include "Program.h"
#include "tests/common/ProgramTable.h"
#include "wine/Machine.h"
#include "wine/TestRegistry.h"

struct Fields {
  std::wstring os;
  std::wstring ata;
  std::wstring status;
  bool upgradeEnabled;
};

struct ExpectedBox {
  std::wstring caption;
  std::wstring text;
  std::vector<int> buttons;  // the visible buttons' ids, ascending
  bool icon;                 // whether it shows an icon
};

class Scenario {
 public:
  explicit Scenario(const table::Machine& state);

  // Prepares the registry, snapshots it and starts the program, whose dialog
  // must show its caption and buttons; each step that fails is reported,
  // and the scenario then stops. The program inherits this process's ANSI
  // code page, which must be the launcher's: a wrong one would make every
  // text check prove nothing about the code page it claims to test.
  bool Open();
  HWND dialog() const { return program_.dialog(); }
  DWORD processId() const { return program_.id(); }

  void ExpectFields(const std::string& when, const Fields& expected);
  // Which control of the dialog has the keyboard focus.
  void ExpectFocus(const std::string& when, int controlId, const char* name);
  // The program runs on with no message box up, and no restart was
  // requested.
  void ExpectStillRunning(const std::string& when);
  // The program handles the action and nothing shows: no message box, the
  // fields as given, the process still running.
  void ExpectNoReaction(const Action& action, const Fields& fields);
  // The action brings up a message box owned by the dialog, which is disabled
  // meanwhile and shows `whileUp`; the box is read, checked and answered with
  // `answer`. False if no box appeared or the program did not return from
  // the answer.
  bool ExpectMessageBox(const Action& action, const ExpectedBox& box, const Fields& whileUp,
                        int answer);
  // Posts the action, as input arrives, and expects the process to end with
  // exit code 0.
  void ExpectClosedBy(const Action& action);
  // After `how` was done: the process ends with exit code 0.
  void ExpectEndedCleanly(const std::string& how);
  // Closes with the exit button.
  void Exit();
  // The process ends without being closed (a restart ends it).
  void ExpectEnded(const std::string& when);
  // The control set's differences from the snapshot, in TestRegistry's words.
  void ExpectRegistry(std::vector<std::string> differences);

 private:
  Fields Read() const;
  // The action's window in this dialog; reports a failure when there is none.
  HWND TargetOf(const Action& action) const;

  table::Machine state_;
  testreg::Snapshot before_;
  Program program_;
};

// The path of the Quorvane.exe this suite runs, as a Windows path: the one
// the build names.
std::wstring ProgramPath();

// Registry differences as TestRegistry's Differences words them.
std::string Added(const std::string& entry, const testreg::StoredValue& value);
std::string AddedKey(const std::string& key);
std::string Changed(const std::string& entry, const testreg::StoredValue& value);
std::string Removed(const std::string& entry);

// What the dialog and its message boxes show, from the test table, in the
// forms the scenarios compare.
Fields ToFields(const table::Fields& fields);
// Windows 2000 with service pack 4 whose driver value is absent or unreadable (row F), or
// zero (row H): the upgrade button is offered.
Fields NeedsUpgradeFields();
// Right after a successful upgrade: the button stays enabled.
Fields UpgradedNowFields();
// The question after a successful upgrade, answered Yes or No.
ExpectedBox RestartQuestion();
// The report that the value could not be written.
ExpectedBox UpgradeFailedBox();
