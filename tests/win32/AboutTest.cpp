// The About item of the main dialog's system menu and the About box it opens.
// Menus belong to their process under Wine, so they are checked from inside.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "ModalRun.h"
#include "TestApp.h"
#include "Utf16.h"
#include "res/resource.h"
#include "tests/common/ProgramTable.h"
#include "ui/AboutDlg.h"
#include "ui/UpgradeDlg.h"
#include "wine/DialogDriver.h"
#include "wine/Machine.h"

namespace {

struct MenuItem {
  UINT type;
  UINT id;
  std::wstring text;
};

MenuItem ItemAt(HMENU menu, int position) {
  wchar_t text[128] = L"";
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
  info.dwTypeData = text;
  info.cch = 128;
  GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
  return {info.fType, info.wID, text};
}

class AboutTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(machine::Enter(table::Machine{}, "ui_tests.exe")); }
  void TearDown() override { machine::RemoveDriverKeys(); }
};

TEST_F(AboutTest, SystemMenuEndsWithSeparatorAndAboutItem) {
  CUpgradeDlg dialog;
  RunModal(dialog, [](HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    ASSERT_NE(menu, nullptr);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 3);
    const MenuItem separator = ItemAt(menu, count - 2);
    const MenuItem about = ItemAt(menu, count - 1);
    EXPECT_NE(separator.type & MFT_SEPARATOR, 0u);
    EXPECT_EQ(about.type & MFT_SEPARATOR, 0u);
    EXPECT_EQ(about.id, 0x10u);
    EXPECT_EQ(about.text, Utf16(table::kAboutMenuItem));
    // Close stays above the separator.
    bool closeFound = false;
    for (int i = 0; i < count - 2; ++i) closeFound = closeFound || ItemAt(menu, i).id == SC_CLOSE;
    EXPECT_TRUE(closeFound);
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
}

TEST_F(AboutTest, NothingIsAppendedWithoutMenuOrText) {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, L"item");
  AppendAboutItem(CMenu(menu), 4321);  // no such string
  EXPECT_EQ(GetMenuItemCount(menu), 1);
  AppendAboutItem(CMenu(nullptr), IDS_ABOUTBOX);  // no menu: nothing to do, nothing to crash
  AppendAboutItem(CMenu(menu), IDS_ABOUTBOX);
  EXPECT_EQ(GetMenuItemCount(menu), 3);
  DestroyMenu(menu);
}

struct WayOut {
  const char* what;
  void (*close)(HWND about);
};

TEST_F(AboutTest, AboutCommandOpensTheBoxAndEveryWayOutReturns) {
  const WayOut kWaysOut[] = {
      {"OK", [](HWND about) { PostMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0); }},
      {"Esc", [](HWND about) { PostMessageW(about, WM_KEYDOWN, VK_ESCAPE, 0); }},
      {"close box", [](HWND about) { PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  // 0x1F: the low four bits belong to the system and are ignored.
  const WPARAM kCommands[] = {0x10, 0x1F};
  for (const WPARAM command : kCommands) {
    for (const WayOut& wayOut : kWaysOut) {
      SCOPED_TRACE(std::string(wayOut.what) + " after " + std::to_string(command));
      CUpgradeDlg dialog;
      theTestApp.m_pMainWnd = &dialog;  // as the application's start-up makes it
      const INT_PTR result = RunModal(dialog, [&](HWND window) {
        const std::wstring status = ItemTextW(window, IDC_UPGRADE_STATUS);
        HWND about = nullptr;
        std::wstring caption;
        std::wstring notice;
        bool mainDisabled = false;
        std::thread closer([&] {
          for (int i = 0; i < 500 && about == nullptr; ++i) {
            about = FindDialogOfThisProcess(window);
            if (about == nullptr) Sleep(20);
          }
          if (about == nullptr) return;
          caption = WindowTextW(about);
          mainDisabled = !IsWindowEnabled(window);  // modal over the main dialog
          for (HWND child = GetWindow(about, GW_CHILD); child;
               child = GetWindow(child, GW_HWNDNEXT)) {
            notice += WindowTextW(child) + L"|";
          }
          wayOut.close(about);
        });
        SendMessageW(window, WM_SYSCOMMAND, command, 0);  // returns once the box is closed
        closer.join();
        EXPECT_NE(about, nullptr);
        EXPECT_EQ(caption, Utf16(table::kAboutCaption));
        EXPECT_TRUE(mainDisabled);
        EXPECT_NE(notice.find(Utf16(table::kAboutVersion) + L"|"), std::wstring::npos);
        EXPECT_NE(notice.find(Utf16(table::kAboutPurpose) + L"|"), std::wstring::npos);
        EXPECT_NE(notice.find(Utf16(table::kAboutOk) + L"|"), std::wstring::npos);
        EXPECT_FALSE(IsWindow(about));
        EXPECT_TRUE(IsWindowEnabled(window));
        EXPECT_EQ(ItemTextW(window, IDC_UPGRADE_STATUS), status);
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
      });
      theTestApp.m_pMainWnd = nullptr;
      EXPECT_EQ(result, IDCANCEL);
    }
  }
}

TEST_F(AboutTest, OtherSystemCommandsGetTheDefaultHandling) {
  ASSERT_TRUE(machine::Enter(table::WithParameter(table::Dword(1)), "ui_tests.exe"));
  CUpgradeDlg dialog;
  const INT_PTR result = RunModal(dialog, [](HWND window) {
    // The default handling of SC_MOVE runs the keyboard move loop, which
    // reads these keys; a handler that swallowed the command would leave
    // them queued.
    PostMessageW(window, WM_KEYDOWN, VK_RIGHT, 0);
    PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(window, WM_SYSCOMMAND, SC_MOVE, 0);
    MSG left;
    int keysLeft = 0;
    while (PeekMessageW(&left, window, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) ++keysLeft;
    EXPECT_EQ(keysLeft, 0) << "SC_MOVE did not reach the default move loop";
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  EXPECT_EQ(result, IDCANCEL);  // SC_CLOSE's default handling ends the dialog
}

}  // namespace
