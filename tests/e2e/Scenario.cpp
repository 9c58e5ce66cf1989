// Scenario steps and their checks. Every step reports one line per check;
// a step that cannot be taken stops the scenario with a FAIL line.
#include "Scenario.h"

#include <windows.h>
// tlhelp32.h needs windows.h before it.
#include <tlhelp32.h>

#include <algorithm>

#include "Report.h"
#include "tests/win32/Utf16.h"
#include "wine/DialogDriver.h"
#include "wine/Launcher.h"
#include "wine/ProcessImage.h"

namespace {

std::string ButtonNames(const std::vector<int>& ids) {
  static const char* const kNames[] = {"?",      "OK",  "Cancel", "Abort", "Retry",
                                       "Ignore", "Yes", "No",     "Close", "Help"};
  std::string names;
  for (int id : ids) {
    if (!names.empty()) names += " ";
    names += id >= 1 && id <= 9 ? kNames[id] : std::to_string(id);
  }
  return names.empty() ? "(none)" : names;
}

// The message a message box's button sends when it is pressed.
void Press(HWND box, int button) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(button), BN_CLICKED), 0);
}

// Wine's ExitWindowsEx starts "wineboot --end-session" as a process of its
// own and returns. Once a handler that might have called it has returned,
// a requested restart is therefore either still running, and wineboot.exe is
// among the prefix's processes, or over, and the program has been ended.
bool RestartUnderWay() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return true;  // cannot tell: assume the worst
  bool found = false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
       more = Process32NextW(snapshot, &entry)) {
    found = lstrcmpiW(entry.szExeFile, L"wineboot.exe") == 0;
  }
  CloseHandle(snapshot);
  return found;
}

}  // namespace

std::wstring ProgramPath() {
  // The build passes the Linux path; Wine's drive Z: is the Linux root.
  const std::string linuxPath = QUORVANE_EXE;
  std::wstring path(linuxPath.size(), L'\0');
  path.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, linuxPath.data(),
                                                      static_cast<int>(linuxPath.size()), &path[0],
                                                      static_cast<int>(path.size()))));
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return L"Z:" + path;
}

std::string Added(const std::string& entry, const testreg::StoredValue& value) {
  return "added " + entry + " = " + testreg::Notation(value);
}

std::string AddedKey(const std::string& key) { return "added " + key + " = key"; }

std::string Changed(const std::string& entry, const testreg::StoredValue& value) {
  return "changed " + entry + " = " + testreg::Notation(value);
}

std::string Removed(const std::string& entry) { return "removed " + entry; }

Scenario::Scenario(const table::Machine& state) : state_(state) {}

bool Scenario::Open() {
  if (!report::CheckNumber("ANSI code page", LaunchersCodePage(), GetACP()) ||
      !report::CheckFlag("Wine frames the program's windows", true,
                         machine::LetWineFrameWindows(machine::kProgramFile)) ||
      !report::CheckFlag("Windows 2000's look", true, machine::ShowWindows2000Look())) {
    return false;
  }
  std::string failedStep;
  if (!machine::Prepare(state_, machine::kProgramFile, failedStep)) {
    report::Fail("prepare the registry: " + failedStep);
    return false;
  }
  before_ = testreg::TakeSnapshot(HKEY_LOCAL_MACHINE, table::kControlSet);
  if (!machine::ApplyWriteDenial(state_)) {
    report::Fail("prepare the registry: deny writing the driver key");
    return false;
  }
  const std::wstring path = ProgramPath();
  std::string why;
  if (!program_.Start(path, why)) {
    report::Fail("start " + report::Utf8(path) + ": " + why);
    return false;
  }
  // The shipped program is 32-bit; anything else is not what users run.
  if (!report::CheckNumber("the program runs as a 32-bit x86 image", IMAGE_FILE_MACHINE_I386,
                           RunningImageMachine(program_.handle()))) {
    return false;
  }
  // The wide window functions are stubs on the Windows 95 line: there the
  // dialog must be an ANSI one, on Windows NT a Unicode one.
  report::CheckFlag("the dialog is a Unicode window",
                    state_.version.platformId == VER_PLATFORM_WIN32_NT,
                    IsWindowUnicode(dialog()) != FALSE);
  report::CheckText("dialog caption", Utf16(table::kCaption), WindowTextW(dialog()));
  report::CheckText("upgrade button text", Utf16(table::kUpgradeButton),
                    ItemTextW(dialog(), kUpgradeButton));
  report::CheckText("exit button text", Utf16(table::kExitButton),
                    ItemTextW(dialog(), kExitButton));
  return true;
}

Fields Scenario::Read() const {
  return {ItemTextW(dialog(), IDC_OS_NAME), ItemTextW(dialog(), IDC_ATA_MODE),
          ItemTextW(dialog(), IDC_UPGRADE_STATUS),
          IsWindowEnabled(GetDlgItem(dialog(), kUpgradeButton)) != FALSE};
}

void Scenario::ExpectFields(const std::string& when, const Fields& expected) {
  const Fields actual = Read();
  report::CheckText(when + ": OS field", expected.os, actual.os);
  report::CheckText(when + ": ATA field", expected.ata, actual.ata);
  report::CheckText(when + ": status field", expected.status, actual.status);
  report::CheckFlag(when + ": upgrade button enabled", expected.upgradeEnabled,
                    actual.upgradeEnabled);
}

void Scenario::ExpectFocus(const std::string& when, int controlId, const char* name) {
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog(), nullptr), &thread);
  report::CheckFlag(
      when + ": the keyboard focus on " + name, true,
      thread.hwndFocus != nullptr && thread.hwndFocus == GetDlgItem(dialog(), controlId));
}

void Scenario::ExpectStillRunning(const std::string& when) {
  report::CheckFlag(when + ": program still running", true, !program_.HasEnded());
  report::CheckFlag(when + ": a message box still up", false, program_.FindMessageBox() != nullptr);
  report::CheckFlag(when + ": restart under way", false, RestartUnderWay());
}

HWND Scenario::TargetOf(const Action& action) const {
  HWND target = action.TargetIn(dialog());
  // A message to no window would go nowhere and look as if it were ignored.
  if (target == nullptr) report::Fail(action.name + ": no window to send it to");
  return target;
}

void Scenario::ExpectNoReaction(const Action& action, const Fields& fields) {
  HWND target = TargetOf(action);
  if (target == nullptr) return;
  HWND box = nullptr;
  Operation::Outcome outcome;
  {
    Operation operation(program_, target, action.message, action.wParam, action.LParamIn(dialog()));
    outcome = operation.Wait(box);
    if (outcome == Operation::Outcome::kStuck) {
      report::Fail(action.name + ": the program did not handle it");
      return;
    }
    const bool boxShown = outcome == Operation::Outcome::kMessageBox;
    report::CheckFlag(action.name + ": shows a message box", false, boxShown);
    if (boxShown) {
      report::Note("the box: \"" + report::Utf8(WindowTextW(box)) + "\", \"" +
                   report::Utf8(ItemTextW(box, kMessageBoxText)) + "\"");
      // OK ends any box without asking for a restart; No, one without OK.
      Press(box, IDOK);
      Press(box, IDNO);
      operation.WaitHandled();
    }
  }
  ExpectStillRunning(action.name);
  ExpectFields("after " + action.name, fields);
}

bool Scenario::ExpectMessageBox(const Action& action, const ExpectedBox& expected,
                                const Fields& whileUp, int answer) {
  HWND target = TargetOf(action);
  if (target == nullptr) return false;
  Operation operation(program_, target, action.message, action.wParam, action.LParamIn(dialog()));
  HWND box = nullptr;
  switch (operation.Wait(box)) {
    case Operation::Outcome::kStuck:
      report::Fail(action.name + ": the program neither handled it nor showed a message box");
      return false;
    case Operation::Outcome::kHandled:
      report::Fail(action.name + ": handled without the expected message box");
      return false;
    case Operation::Outcome::kMessageBox:
      break;
  }
  const std::string what = action.name + ": message box ";
  report::CheckText(what + "caption", expected.caption, WindowTextW(box));
  report::CheckText(what + "text", expected.text, ItemTextW(box, kMessageBoxText));
  report::CheckLines(what + "buttons", {ButtonNames(expected.buttons)},
                     {ButtonNames(VisibleButtons(box))});
  report::CheckFlag(what + "shows an icon", expected.icon, MessageBoxIcon(box) != nullptr);
  report::CheckFlag(what + "owned by the dialog", true, GetWindow(box, GW_OWNER) == dialog());
  report::CheckFlag(what + "disables the dialog while it is up", true,
                    IsWindowEnabled(dialog()) == FALSE);
  ExpectFields(action.name + ", while the box is up", whileUp);
  Press(box, answer);
  if (!operation.WaitHandled()) {
    report::Fail(action.name + ": the program did not return from the answer " +
                 ButtonNames({answer}));
    return false;
  }
  return true;
}

void Scenario::ExpectClosedBy(const Action& action) {
  if (program_.HasEnded()) {
    report::Fail(action.name + ": the program had ended before");
    return;
  }
  HWND target = TargetOf(action);
  if (target == nullptr) return;
  // Posted, as input is: the dialog's message loop sees it first.
  if (!PostMessageW(target, action.message, action.wParam, action.LParamIn(dialog()))) {
    report::Fail(action.name + ": could not post it, error " + std::to_string(GetLastError()));
    return;
  }
  ExpectEndedCleanly(action.name);
}

void Scenario::ExpectEndedCleanly(const std::string& how) {
  DWORD exitCode = 0;
  if (!program_.WaitForEnd(exitCode)) {
    report::Fail(how + ": the program is still running");
    return;
  }
  report::CheckNumber(how + ": program ended, exit code", 0, exitCode);
}

void Scenario::Exit() { ExpectClosedBy(Click(kExitButton, table::kExitButton)); }

void Scenario::ExpectEnded(const std::string& when) {
  DWORD exitCode = 0;
  report::CheckFlag(when + ": program ended", true, program_.WaitForEnd(exitCode));
}

void Scenario::ExpectRegistry(std::vector<std::string> differences) {
  // A key that refuses writing cannot be read whole either; its security is
  // no part of the comparison.
  machine::LiftWriteDenial();
  std::vector<std::string> actual =
      testreg::Differences(before_, testreg::TakeSnapshot(HKEY_LOCAL_MACHINE, table::kControlSet));
  std::sort(actual.begin(), actual.end());
  std::sort(differences.begin(), differences.end());
  report::CheckLines("registry changes under " + std::string(table::kControlSet), differences,
                     actual);
}

Fields ToFields(const table::Fields& fields) {
  return {Utf16(fields.os), Utf16(fields.ata), Utf16(fields.status), fields.upgradeEnabled};
}

Fields NeedsUpgradeFields() { return ToFields(table::FieldsOfRow('F')); }

Fields UpgradedNowFields() { return ToFields(table::UpgradedNow()); }

ExpectedBox RestartQuestion() {
  return {Utf16(table::kRestartCaption), Utf16(table::kRestartQuestion), {IDYES, IDNO}, true};
}

ExpectedBox UpgradeFailedBox() {
  // The program has no name of its own: the box takes the executable's; it
  // asks for no icon, so it gets the exclamation mark.
  std::wstring name = ProgramPath();
  name = name.substr(name.find_last_of(L'\\') + 1);
  name = name.substr(0, name.rfind(L'.'));
  return {name, Utf16(table::kUpgradeFailed), {IDOK}, true};
}
