// The main dialog in this process, built from the real template, on the
// registry of the test prefix. Wine reports Windows 2000 SP4 to this program
// (see the CMake fixture), so every Windows 2000 row can be reached.
#include <gtest/gtest.h>

#include <string>

#include "DialogDriver.h"
#include "MachineState.h"
#include "ModalRun.h"
#include "TestApp.h"
#include "res/resource.h"
#include "ui/UpgradeDlg.h"

namespace {

using machine::DriverKey;

std::wstring Field(HWND dialog, int id) {
  wchar_t text[256] = L"";
  GetDlgItemTextW(dialog, id, text, 256);
  return text;
}

bool UpgradeButtonEnabled(HWND dialog) { return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != 0; }

class UpgradeDlgTest : public ::testing::Test {
 protected:
  void TearDown() override { machine::Clean(); }
};

struct ControlCase {
  int id;
  const char* className;
  const wchar_t* text;
  LONG style;
  LONG exStyleBits;  // that must be set
};

TEST_F(UpgradeDlgTest, TemplateGivesTheFiveControlsWithTheirStyles) {
  ASSERT_TRUE(machine::Prepare({}));
  const ControlCase kControls[] = {
      {IDOK, "Button", L"升级", 0x50010001, 0},
      {IDCANCEL, "Button", L"退出", 0x50010000, 0},
      {IDC_OS_NAME, "Static", L"Windows 2000 SP4", 0x50021000, WS_EX_TRANSPARENT},
      {IDC_ATA_MODE, "Static", L"28位ATA规范", 0x50021000, 0},
      {IDC_UPGRADE_STATUS, "Static", L"需要升级", 0x50021000, 0},
  };
  CUpgradeDlg dialog;
  RunModal(dialog, [&](HWND window) {
    // Windows adds WS_CLIPSIBLINGS and DS_3DLOOK of its own.
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_EQ(style & 0x90C800C0, 0x90C800C0);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    EXPECT_NE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    EXPECT_EQ(WindowTextW(window), L"Quorvane");
    int count = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      ++count;
    }
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

struct RowCase {
  const char* row;
  machine::State state;
  const wchar_t* osName;
  const wchar_t* ataMode;
  const wchar_t* status;
  int upgradeState;
  bool buttonEnabled;
};

TEST_F(UpgradeDlgTest, FieldsStateAndButtonFollowTheInspection) {
  const RowCase kRows[] = {
      {"D: SP3", {0x300, DriverKey::kPresent, std::nullopt}, L"", L"", L"", STATE_UNSUPPORTED, true},
      {"D: CSDVersion missing", {std::nullopt, DriverKey::kPresent, std::nullopt}, L"", L"", L"",
       STATE_UNSUPPORTED, true},
      {"E: driver key missing", {0x400, DriverKey::kMissing, std::nullopt}, L"Windows 2000 SP4",
       L"28位ATA规范", L"不能升级", STATE_UNSUPPORTED, true},
      {"E: driver key denies writing", {0x400, DriverKey::kDeniesWriting, machine::Dword(1)},
       L"Windows 2000 SP4", L"28位ATA规范", L"不能升级", STATE_UNSUPPORTED, true},
      {"F: value absent", {0x400, DriverKey::kPresent, std::nullopt}, L"Windows 2000 SP4",
       L"28位ATA规范", L"需要升级", STATE_VALUE_ABSENT, true},
      {"F: 8 bytes of binary", {0x10400, DriverKey::kPresent, testreg::StoredValue{REG_BINARY, {1, 1, 1, 1, 1, 1, 1, 1}}},
       L"Windows 2000 SP4", L"28位ATA规范", L"需要升级", STATE_VALUE_ABSENT, true},
      {"G: DWORD 1", {0x400, DriverKey::kPresent, machine::Dword(1)}, L"Windows 2000 SP4",
       L"48位ATA规范", L"已经升级", STATE_UPGRADED, false},
      {"G: REG_SZ 1", {0x400, DriverKey::kPresent, testreg::StoredValue{REG_SZ, {'1', 0}}},
       L"Windows 2000 SP4", L"48位ATA规范", L"已经升级", STATE_UPGRADED, false},
      {"H: DWORD 256", {0x400, DriverKey::kPresent, machine::Dword(256)}, L"Windows 2000 SP4",
       L"28位ATA规范", L"需要升级", STATE_VALUE_ZERO, true},
  };
  for (const RowCase& row : kRows) {
    SCOPED_TRACE(row.row);
    ASSERT_TRUE(machine::Prepare(row.state));
    CUpgradeDlg dialog;
    RunModal(dialog, [&](HWND window) {
      EXPECT_EQ(Field(window, IDC_OS_NAME), row.osName);
      EXPECT_EQ(Field(window, IDC_ATA_MODE), row.ataMode);
      EXPECT_EQ(Field(window, IDC_UPGRADE_STATUS), row.status);
      EXPECT_EQ(UpgradeButtonEnabled(window), row.buttonEnabled);
      EXPECT_EQ(dialog.m_nUpgradeState, row.upgradeState);
      PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    });
  }
}

struct UpgradeCase {
  const char* what;
  machine::State state;
  bool removeKeyAfterInspection;
};

TEST_F(UpgradeDlgTest, UpgradeWritesTheValueReportsAndAsksToRestart) {
  const UpgradeCase kCases[] = {
      {"value absent", {0x400, DriverKey::kPresent, std::nullopt}, false},
      {"key gone since the inspection", {0x400, DriverKey::kPresent, std::nullopt}, true},
      {"DWORD 0", {0x400, DriverKey::kPresent, machine::Dword(0)}, false},
      {"empty REG_SZ", {0x400, DriverKey::kPresent, testreg::StoredValue{REG_SZ, {0}}}, false},
  };
  for (const UpgradeCase& c : kCases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(machine::Prepare(c.state));
    CUpgradeDlg dialog;
    const INT_PTR result = RunModal(dialog, [&](HWND window) {
      if (c.removeKeyAfterInspection) machine::Clean();
      MessageBoxAnswerer answerer(IDNO, window);
      SendMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
      answerer.Join();
      EXPECT_TRUE(answerer.answered());
      EXPECT_EQ(answerer.caption(), L"确认提示");
      EXPECT_EQ(answerer.text(), L"升级成功！必须重启才能有效！是否重启？");
      EXPECT_EQ(answerer.icon(), LoadIconW(nullptr, MAKEINTRESOURCEW(32514)));  // IDI_QUESTION
      EXPECT_EQ(Field(window, IDC_UPGRADE_STATUS), L"升级成功");
      EXPECT_EQ(Field(window, IDC_ATA_MODE), L"48位ATA规范");
      EXPECT_TRUE(IsWindow(window));  // the upgrade never closes the dialog
      PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(result, IDCANCEL);
    testreg::StoredValue stored;
    ASSERT_TRUE(testreg::ReadValue(HKEY_LOCAL_MACHINE, machine::kDriverKey, "Quorvane", stored));
    EXPECT_EQ(stored, machine::Dword(1));
  }
}

TEST_F(UpgradeDlgTest, RefusedCreationShowsTheFailureUnderTheProgramsName) {
  ASSERT_TRUE(machine::Prepare({0x400, DriverKey::kPresent, std::nullopt}));
  CUpgradeDlg dialog;
  RunModal(dialog, [&](HWND window) {
    ASSERT_TRUE(testreg::DenyWriting(HKEY_LOCAL_MACHINE, machine::kDriverKey));
    MessageBoxAnswerer answerer(IDOK, window);
    SendMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    answerer.Join();
    EXPECT_TRUE(answerer.answered());
    // The application has no name, so the caption is the executable's.
    EXPECT_EQ(answerer.caption(), L"ui_tests");
    EXPECT_EQ(answerer.text(), L"升级没用成功！");
    // MB_OK with no icon of its own: the exclamation mark.
    EXPECT_EQ(answerer.icon(), LoadIconW(nullptr, MAKEINTRESOURCEW(32515)));  // IDI_EXCLAMATION
    EXPECT_EQ(Field(window, IDC_UPGRADE_STATUS), L"需要升级");
    EXPECT_EQ(Field(window, IDC_ATA_MODE), L"28位ATA规范");
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
}

TEST_F(UpgradeDlgTest, ClickThatMayNotUpgradeDoesNothing) {
  // Upgraded already (G), and a key that will not open with full access (E).
  for (const machine::State& state :
       {machine::State{0x400, DriverKey::kPresent, machine::Dword(1)},
        machine::State{0x400, DriverKey::kDeniesWriting, machine::Dword(0)}}) {
    ASSERT_TRUE(machine::Prepare(state));
    const testreg::Snapshot before =
        testreg::TakeSnapshot(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet");
    CUpgradeDlg dialog;
    RunModal(dialog, [&](HWND window) {
      const std::wstring status = Field(window, IDC_UPGRADE_STATUS);
      SendMessageW(window, WM_COMMAND, IDOK, 0);  // the button may be disabled: send it anyway
      EXPECT_EQ(FindDialogOfThisProcess(window), nullptr) << "no box may appear";
      EXPECT_EQ(Field(window, IDC_UPGRADE_STATUS), status);
      PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_TRUE(testreg::Differences(
                    before, testreg::TakeSnapshot(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet"))
                    .empty());
  }
}

TEST_F(UpgradeDlgTest, EveryWayOutEndsWithCancel) {
  ASSERT_TRUE(machine::Prepare({0x400, DriverKey::kPresent, machine::Dword(1)}));
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
  ASSERT_TRUE(machine::Prepare({0x400, DriverKey::kPresent, machine::Dword(0)}));
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
    EXPECT_EQ(answerer.caption(), L"确认提示");
    EXPECT_TRUE(IsWindow(window));
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
}

}  // namespace
