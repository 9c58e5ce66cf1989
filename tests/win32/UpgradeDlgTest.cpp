// The main dialog in this process, built from the real template, on the
// registry of the test prefix. Wine reports Windows 2000 to this program
// (UiTestsMain.cpp), so every row of the test table on that system can be
// reached, and every upgrade path.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ImportPatch.h"
#include "ModalRun.h"
#include "TestApp.h"
#include "Utf16.h"
#include "res/resource.h"
#include "tests/common/CaseNames.h"
#include "tests/common/ProgramTable.h"
#include "ui/UpgradeDlg.h"
#include "wine/DialogDriver.h"
#include "wine/Machine.h"

namespace {

const char kThisProgram[] = "ui_tests.exe";

bool UpgradeButtonEnabled(HWND dialog) { return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != 0; }

void ExpectFields(HWND dialog, const table::Fields& fields) {
  EXPECT_EQ(ItemTextW(dialog, IDC_OS_NAME), Utf16(fields.os));
  EXPECT_EQ(ItemTextW(dialog, IDC_ATA_MODE), Utf16(fields.ata));
  EXPECT_EQ(ItemTextW(dialog, IDC_UPGRADE_STATUS), Utf16(fields.status));
  EXPECT_EQ(UpgradeButtonEnabled(dialog), fields.upgradeEnabled);
}

void Prepare(const table::Machine& state) {
  std::string failedStep;
  ASSERT_TRUE(machine::Prepare(state, kThisProgram, failedStep)) << failedStep;
  ASSERT_TRUE(machine::ApplyWriteDenial(state));
}

LONG WINAPI RefuseValue(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD) {
  return ERROR_ACCESS_DENIED;
}

// While it lives, every RegSetValueExA of this program is refused: keys are
// still created and opened for real.
class ValueRefusal {
 public:
  ValueRefusal()
      : original_(
            PatchImport("advapi32.dll", "RegSetValueExA", reinterpret_cast<void*>(&RefuseValue))) {}
  ~ValueRefusal() {
    if (original_ != nullptr) PatchImport("advapi32.dll", "RegSetValueExA", original_);
  }
  bool active() const { return original_ != nullptr; }

 private:
  void* original_;
};

class UpgradeDlgTest : public ::testing::Test {
 protected:
  void TearDown() override { machine::RemoveDriverKeys(); }
};

struct ControlCase {
  int id;
  const char* className;
  const wchar_t* text;
  LONG style;
  LONG exStyleBits;  // that must be set
};

TEST_F(UpgradeDlgTest, TemplateGivesTheFiveControlsWithTheirStyles) {
  Prepare(table::WithParameter(std::nullopt));  // row F
  const table::Fields& fields = table::FieldsOfRow('F');
  const std::wstring upgrade = Utf16(table::kUpgradeButton);
  const std::wstring exit = Utf16(table::kExitButton);
  const std::wstring os = Utf16(fields.os);
  const std::wstring ata = Utf16(fields.ata);
  const std::wstring status = Utf16(fields.status);
  const ControlCase kControls[] = {
      {IDOK, "Button", upgrade.c_str(), table::kUpgradeButtonStyle, 0},
      {IDCANCEL, "Button", exit.c_str(), table::kExitButtonStyle, 0},
      {IDC_OS_NAME, "Static", os.c_str(), table::kFieldStyle, table::kOsFieldExStyle},
      {IDC_ATA_MODE, "Static", ata.c_str(), table::kFieldStyle, 0},
      {IDC_UPGRADE_STATUS, "Static", status.c_str(), table::kFieldStyle, 0},
  };
  CUpgradeDlg dialog;
  RunModal(dialog, [&](HWND window) {
    // Windows adds WS_CLIPSIBLINGS and DS_3DLOOK of its own.
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_EQ(style & table::kDialogStyle, table::kDialogStyle);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & table::kDialogExStyle, table::kDialogExStyle);
    EXPECT_EQ(WindowTextW(window), Utf16(table::kCaption));
    int count = 0;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++count;
    EXPECT_EQ(count, 5);
    for (const ControlCase& c : kControls) {
      SCOPED_TRACE(c.id);
      HWND control = GetDlgItem(window, c.id);
      ASSERT_NE(control, nullptr);
      char className[32] = "";
      GetClassNameA(control, className, sizeof className);
      EXPECT_STRCASEEQ(className, c.className);
      EXPECT_EQ(WindowTextW(control), c.text);
      EXPECT_EQ(GetWindowLongW(control, GWL_STYLE), c.style);
      EXPECT_EQ(GetWindowLongW(control, GWL_EXSTYLE) & c.exStyleBits, c.exStyleBits);
    }
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
}

class DialogRow : public ::testing::TestWithParam<table::Row> {
 protected:
  void TearDown() override { machine::RemoveDriverKeys(); }
};

TEST_P(DialogRow, FieldsStateAndButtonFollowTheInspection) {
  const table::Row& row = GetParam();
  Prepare(row.machine);
  CUpgradeDlg dialog;
  RunModal(dialog, [&](HWND window) {
    ExpectFields(window, row.fields);
    EXPECT_EQ(dialog.m_nUpgradeState, row.state);
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
}

std::vector<table::Row> Windows2000Rows() {
  std::vector<table::Row> rows;
  for (const table::Row& row : table::Rows()) {
    const char* profile = row.machine.version.wineProfile;
    if (profile != nullptr && std::string(profile) == table::kWin2000.wineProfile) {
      rows.push_back(row);
    }
  }
  return rows;
}

INSTANTIATE_TEST_SUITE_P(Table, DialogRow, ::testing::ValuesIn(Windows2000Rows()),
                         table::NameCases());

class DialogUpgrade : public ::testing::TestWithParam<table::UpgradePath> {
 protected:
  void TearDown() override { machine::RemoveDriverKeys(); }
};

// Each click with the question answered No; the dialog never closes.
TEST_P(DialogUpgrade, ClicksReactAndLeaveTheValueOfTheirPath) {
  const table::UpgradePath& path = GetParam();
  Prepare(table::MachineOf(path));
  const table::Fields before = table::FieldsOfRow(path.parameter ? 'H' : 'F');
  const table::Fields after =
      path.reaction == table::Reaction::kQuestion ? table::UpgradedNow() : before;
  CUpgradeDlg dialog;
  const INT_PTR result = RunModal(dialog, [&](HWND window) {
    ExpectFields(window, before);
    std::optional<ValueRefusal> refusal;
    switch (path.interference) {
      case table::Interference::kNone:
        break;
      case table::Interference::kDenyWriting:
        EXPECT_TRUE(testreg::DenyWriting(HKEY_LOCAL_MACHINE, table::kDriverKey));
        break;
      case table::Interference::kRemoveKeys:
        EXPECT_TRUE(machine::RemoveDriverKeys());
        break;
      case table::Interference::kRefuseValue:
        EXPECT_TRUE(refusal.emplace().active());
        break;
    }
    for (int click = 1; click <= path.clicks; ++click) {
      SCOPED_TRACE(click);
      const int answer = path.reaction == table::Reaction::kFailureBox ? IDOK : IDNO;
      MessageBoxAnswerer answerer(answer, window);
      SendMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
      answerer.Stop();
      switch (path.reaction) {
        case table::Reaction::kQuestion:
          EXPECT_TRUE(answerer.answered());
          EXPECT_EQ(answerer.caption(), Utf16(table::kRestartCaption));
          EXPECT_EQ(answerer.text(), Utf16(table::kRestartQuestion));
          // IDI_QUESTION
          EXPECT_EQ(answerer.icon(), LoadIconW(nullptr, MAKEINTRESOURCEW(32514)));
          break;
        case table::Reaction::kFailureBox:
          EXPECT_TRUE(answerer.answered());
          // The application has no name, so the caption is the executable's.
          EXPECT_EQ(answerer.caption(), L"ui_tests");
          EXPECT_EQ(answerer.text(), Utf16(table::kUpgradeFailed));
          // MB_OK with no icon of its own: the exclamation mark.
          // IDI_EXCLAMATION
          EXPECT_EQ(answerer.icon(), LoadIconW(nullptr, MAKEINTRESOURCEW(32515)));
          break;
        case table::Reaction::kNothing:
          EXPECT_FALSE(answerer.answered()) << "no box may appear";
          break;
      }
      ExpectFields(window, after);
      EXPECT_TRUE(IsWindow(window));  // the upgrade never closes the dialog
    }
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(result, IDCANCEL);
  machine::LiftWriteDenial();
  testreg::StoredValue stored;
  if (path.valueAfter) {
    ASSERT_TRUE(machine::ReadParameter(stored));
    EXPECT_EQ(stored, machine::Stored(*path.valueAfter));
  } else {
    EXPECT_FALSE(machine::ReadParameter(stored));
  }
}

INSTANTIATE_TEST_SUITE_P(Table, DialogUpgrade, ::testing::ValuesIn(table::UpgradePaths()),
                         table::NameCases());

TEST_F(UpgradeDlgTest, ClickThatMayNotUpgradeDoesNothing) {
  // Upgraded already (G), and a key that will not open with full access (E).
  for (const table::Machine& state :
       {table::WithParameter(table::Dword(1)),
        table::WithDriverKey(table::DriverKey::kDeniesWriting, table::Dword(0))}) {
    std::string failedStep;
    ASSERT_TRUE(machine::Prepare(state, kThisProgram, failedStep)) << failedStep;
    const testreg::Snapshot before = testreg::TakeSnapshot(HKEY_LOCAL_MACHINE, table::kControlSet);
    ASSERT_TRUE(machine::ApplyWriteDenial(state));
    CUpgradeDlg dialog;
    RunModal(dialog, [&](HWND window) {
      const std::wstring status = ItemTextW(window, IDC_UPGRADE_STATUS);
      // A box that shows anyway is answered, so that the send returns.
      MessageBoxAnswerer answerer(IDNO, window);
      SendMessageW(window, WM_COMMAND, IDOK, 0);  // the button may be disabled: send it anyway
      answerer.Stop();
      EXPECT_FALSE(answerer.answered()) << "no box may appear";
      EXPECT_EQ(ItemTextW(window, IDC_UPGRADE_STATUS), status);
      PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    });
    machine::LiftWriteDenial();
    EXPECT_TRUE(
        testreg::Differences(before, testreg::TakeSnapshot(HKEY_LOCAL_MACHINE, table::kControlSet))
            .empty());
  }
}

TEST_F(UpgradeDlgTest, EveryWayOutEndsWithCancel) {
  Prepare(table::WithParameter(table::Dword(1)));
  const std::function<void(HWND)> kWaysOut[] = {
      [](HWND window) { PostMessageW(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0); },
      [](HWND window) { PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0); },
      [](HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); },
      [](HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); },
  };
  for (const auto& wayOut : kWaysOut) {
    CUpgradeDlg dialog;
    EXPECT_EQ(RunModal(dialog, wayOut), IDCANCEL);
  }
}

TEST_F(UpgradeDlgTest, EnterRunsTheUpgradeAndKeepsTheDialogOpen) {
  Prepare(table::WithParameter(table::Dword(0)));
  CUpgradeDlg dialog;
  RunModal(dialog, [&](HWND window) {
    MessageBoxAnswerer answerer(IDNO, window);
    PostMessageW(GetDlgItem(window, IDOK), WM_KEYDOWN, VK_RETURN, 0);
    // The posted key is handled by the modal loop, which then runs the box.
    MSG message;
    while (!answerer.answered() && GetMessageW(&message, nullptr, 0, 0)) {
      if (!IsDialogMessageW(window, &message)) DispatchMessageW(&message);
    }
    answerer.Join();
    EXPECT_EQ(answerer.caption(), Utf16(table::kRestartCaption));
    EXPECT_TRUE(IsWindow(window));
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
}

}  // namespace
