// The dialog framework's routing: each mapped message reaches its handler
// with its arguments unpacked and its result returned as Windows expects;
// everything else gets the default processing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ModalRun.h"
#include "TestApp.h"
#include "Utf16.h"
#include "inspect/Texts.h"
#include "res/resource.h"
#include "tests/common/ProgramTable.h"
#include "ui/Dialog.h"
#include "ui/Gdi.h"
#include "ui/String.h"
#include "ui/Text.h"
#include "wine/DialogDriver.h"

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
    EXPECT_EQ(SendMessageW(window, WM_QUERYDRAGICON, 0, 0),
              reinterpret_cast<LRESULT>(dialog.dragIcon));

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
                                                      "OnCtlColor 3 other dc",
                                                      "OnCtlColor 0 other dc", "OnCustom"}));
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

// Windows NT that converts code page 936, whatever its ANSI code page.
TEST(DialogFramework, TextsTakeTheWidePathHere) { EXPECT_EQ(AfxGetTextPath(), TEXT_PATH_WIDE); }

TEST(DialogFramework, StringsLoadInTheFormOfTheirPathAndFormatAsAnsi) {
  const std::wstring aboutItem = Utf16(table::kAboutMenuItem);
  CString text;
  EXPECT_TRUE(text.LoadString(IDS_ABOUTBOX));
  EXPECT_TRUE(text.IsWide());
  EXPECT_EQ(text.GetWide(), aboutItem);

  const TextPath decided = AfxGetTextPath();
  AfxSetTextPathForTesting(TEXT_PATH_ANSI);
  EXPECT_TRUE(text.LoadString(IDS_ABOUTBOX));
  EXPECT_FALSE(text.IsWide());
  // The ANSI path gives the string in the ANSI code page.
  char expected[64] = "";
  WideCharToMultiByte(CP_ACP, 0, aboutItem.c_str(), -1, expected, sizeof expected, nullptr,
                      nullptr);
  EXPECT_STREQ(static_cast<const char*>(text), expected);
  AfxSetTextPathForTesting(decided);

  EXPECT_FALSE(text.LoadString(4321));
  EXPECT_TRUE(text.IsEmpty());
  text.Format("Service Pack %d", 4);
  EXPECT_FALSE(text.IsWide());
  EXPECT_STREQ(static_cast<const char*>(text), "Service Pack 4");
}

// Where code page 936 does not convert, or on the Windows 95 line, the
// dialogs are ANSI ones, as they always were; on a Chinese system they read
// the same.
TEST(DialogFramework, AnsiPathMakesAnsiDialogsThatReadRightUnder936) {
  if (GetACP() != 936) GTEST_SKIP() << "an ANSI dialog reads right only under code page 936";
  const TextPath decided = AfxGetTextPath();
  AfxSetTextPathForTesting(TEXT_PATH_ANSI);
  CDialog about(IDD_ABOUTBOX, nullptr);
  RunModal(about, [&](HWND window) {
    EXPECT_FALSE(IsWindowUnicode(window));
    EXPECT_EQ(WindowTextW(window), Utf16(table::kAboutCaption));
    EXPECT_EQ(WindowTextW(GetDlgItem(window, IDOK)), Utf16(table::kAboutOk));
    about.SetDlgItemText(IDOK, text::kAta28Bit);  // as the program holds it: code page 936
    EXPECT_EQ(WindowTextW(GetDlgItem(window, IDOK)), Utf16(table::kAta28Bit));
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
  AfxSetTextPathForTesting(decided);
}

TEST(DialogFramework, WidePathMakesUnicodeDialogs) {
  CDialog about(IDD_ABOUTBOX, nullptr);
  RunModal(about, [&](HWND window) {
    EXPECT_TRUE(IsWindowUnicode(window));
    EXPECT_EQ(WindowTextW(window), Utf16(table::kAboutCaption));
    about.SetDlgItemText(IDOK, text::kAta28Bit);
    EXPECT_EQ(WindowTextW(GetDlgItem(window, IDOK)), Utf16(table::kAta28Bit));
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
}

TEST(DialogFramework, ProgramTextsConvertFromCodePage936) {
  EXPECT_EQ(std::wstring(CWideText(text::kAta28Bit)), Utf16(table::kAta28Bit));
  // A text too long for the buffer comes out empty, not cut in the middle
  // of a character or unended.
  const std::string tooLong(600, 'x');
  EXPECT_STREQ(CWideText(tooLong.c_str()), L"");
}

}  // namespace
