// The dialog framework's routing: each mapped message reaches its handler
// with its arguments unpacked and its result returned as Windows expects;
// everything else gets the default processing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ModalRun.h"
#include "TestApp.h"
#include "res/resource.h"
#include "ui/Dialog.h"
#include "ui/Gdi.h"
#include "ui/String.h"

namespace {

constexpr UINT kCustomCommand = 1234;

class RoutingDlg : public CDialog {
 public:
  RoutingDlg() : CDialog(IDD_UPGRADE_DIALOG, nullptr) {}

  std::vector<std::string> calls;
  HICON dragIcon = reinterpret_cast<HICON>(0x1234);
  HBRUSH brush = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));

  void OnSysCommand(UINT id, LPARAM param) {
    calls.push_back("OnSysCommand " + std::to_string(id) + " " + std::to_string(param));
    if (id == SC_CLOSE) Default();
  }
  void OnPaint() {
    calls.push_back("OnPaint");
    Default();  // validates the window, or WM_PAINT would come forever
  }
  HCURSOR OnQueryDragIcon() { return dragIcon; }
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind) {
    calls.push_back("OnCtlColor " + std::to_string(kind) +
                    (control->m_hWnd == GetDlgItem(IDC_OS_NAME).m_hWnd ? " field" : " other") +
                    (dc->m_hDC != nullptr ? " dc" : " no dc"));
    return brush;
  }
  void OnCustom() { calls.push_back("OnCustom"); }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RoutingDlg, CDialog)
  ON_WM_SYSCOMMAND()
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
  ON_WM_CTLCOLOR()
  ON_COMMAND(kCustomCommand, OnCustom)
END_MESSAGE_MAP()

TEST(DialogFramework, MappedMessagesReachTheirHandlers) {
  RoutingDlg dialog;
  RunModal(dialog, [&](HWND window) {
    UpdateWindow(window);  // the first painting is done before the calls are counted
    dialog.calls.clear();
    SendMessageW(window, WM_SYSCOMMAND, 0x10, 77);
    EXPECT_EQ(SendMessageW(window, WM_QUERYDRAGICON, 0, 0), reinterpret_cast<LRESULT>(dialog.dragIcon));

    HWND field = GetDlgItem(window, IDC_OS_NAME);
    HDC dc = GetDC(field);
    EXPECT_EQ(SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(field)),
              reinterpret_cast<LRESULT>(dialog.brush));
    SendMessageW(window, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
    SendMessageW(window, WM_CTLCOLORMSGBOX, reinterpret_cast<WPARAM>(dc), 0);
    ReleaseDC(field, dc);

    SendMessageW(window, WM_COMMAND, kCustomCommand, 0);
    EXPECT_EQ(dialog.calls, (std::vector<std::string>{"OnSysCommand 16 77", "OnCtlColor 6 field dc",
                                                      "OnCtlColor 3 other dc", "OnCtlColor 0 other dc",
                                                      "OnCustom"}));
    dialog.calls.clear();
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    ASSERT_FALSE(dialog.calls.empty());
    EXPECT_EQ(dialog.calls.front(), "OnPaint");  // then the controls ask for their colours
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
}

TEST(DialogFramework, UnmappedMessagesGetTheDefaultProcessing) {
  RoutingDlg dialog;
  RunModal(dialog, [&](HWND window) {
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"新标题"));
    wchar_t text[32] = L"";
    GetWindowTextW(window, text, 32);
    EXPECT_STREQ(text, L"新标题");
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
}

TEST(DialogFramework, DefaultFromAHandlerCarriesTheMessageOn) {
  RoutingDlg dialog;
  // SC_CLOSE passed to the default processing becomes WM_CLOSE, then IDCANCEL.
  EXPECT_EQ(RunModal(dialog, [](HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }),
            IDCANCEL);
  const std::string close = "OnSysCommand " + std::to_string(SC_CLOSE) + " 0";
  EXPECT_NE(std::find(dialog.calls.begin(), dialog.calls.end(), close), dialog.calls.end());
}

TEST(DialogFramework, HelpCommandReachesTheApplication) {
  RoutingDlg dialog;
  const int before = theTestApp.helpCalls;
  RunModal(dialog, [](HWND window) {
    SendMessageW(window, WM_COMMAND, ID_HELP, 0);
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(theTestApp.helpCalls, before + 1);
}

TEST(DialogFramework, MissingControlIsNull) {
  RoutingDlg dialog;
  RunModal(dialog, [&](HWND window) {
    EXPECT_EQ(dialog.GetDlgItem(4321).m_hWnd, nullptr);
    EXPECT_EQ(dialog.GetDlgItem(IDOK).m_hWnd, GetDlgItem(window, IDOK));
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
}

TEST(DialogFramework, DialogThatCannotBeCreatedReturnsMinusOne) {
  CDialog missing(9999, nullptr);
  EXPECT_EQ(missing.DoModal(), -1);
}

TEST(DialogFramework, StringsLoadAsAnsiAndFormat) {
  CString text;
  EXPECT_TRUE(text.LoadString(IDS_ABOUTBOX));
  // The ANSI code page is 936 here: the string arrives as its bytes.
  EXPECT_STREQ(static_cast<const char*>(text), "\xb9\xd8\xd3\xda Quorvane(&A)...");
  EXPECT_FALSE(text.LoadString(4321));
  EXPECT_TRUE(text.IsEmpty());
  text.Format("Service Pack %d", 4);
  EXPECT_STREQ(static_cast<const char*>(text), "Service Pack 4");
}

}  // namespace
