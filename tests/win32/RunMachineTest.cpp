// The machine that the run command prepares (prepare_machine.exe, from the
// tests' machine model) must show the program as Windows 2000 does. It lays
// the dialog out with 宋体 9 pt: a dialog unit 1.5 pixels each way. The
// background picture is drawn for exactly that, so only then does each label
// in it stand level with its field. It has Windows 2000's look, and the
// program started there is shown active, its focus on 升级.
#include <gtest/gtest.h>
#include <windows.h>

#include "ScreenPixels.h"
#include "res/resource.h"
#include "wine/DialogDriver.h"
#include "wine/Machine.h"

namespace {

INT_PTR CALLBACK NoHandling(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

struct FieldCase {
  int id;
  RECT pixels;  // where the picture expects it: the template's units times 1.5
};

TEST(RunMachine, DialogUnitsAreWindows2000s) {
  HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_UPGRADE_DIALOG),
                                   nullptr, NoHandling, 0);
  ASSERT_NE(dialog, nullptr);
  RECT units{0, 0, 4, 8};  // one average character
  MapDialogRect(dialog, &units);
  EXPECT_EQ(units.right, 6);
  EXPECT_EQ(units.bottom, 12);

  // Templates at 152, 71 / 87 / 103, 84 x 11 units; within 2 pixels.
  const FieldCase kFields[] = {
      {IDC_OS_NAME, {228, 106, 354, 123}},
      {IDC_ATA_MODE, {228, 130, 354, 147}},
      {IDC_UPGRADE_STATUS, {228, 154, 354, 171}},
  };
  for (const FieldCase& field : kFields) {
    SCOPED_TRACE(field.id);
    RECT placed;
    GetWindowRect(GetDlgItem(dialog, field.id), &placed);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_NEAR(placed.left, field.pixels.left, 2);
    EXPECT_NEAR(placed.top, field.pixels.top, 2);
    EXPECT_NEAR(placed.right, field.pixels.right, 2);
    EXPECT_NEAR(placed.bottom, field.pixels.bottom, 2);
  }
  DestroyWindow(dialog);
}

// The caption's buttons are symbols of the Marlett font; without it the close
// box shows the letter "r".
TEST(RunMachine, CaptionButtonsHaveTheirSymbolFont) {
  LOGFONTW wanted{};
  wanted.lfHeight = -13;
  wanted.lfCharSet = SYMBOL_CHARSET;
  lstrcpyW(wanted.lfFaceName, L"Marlett");
  HFONT font = CreateFontIndirectW(&wanted);
  HDC screen = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(screen, font);
  wchar_t face[LF_FACESIZE] = L"";
  GetTextFaceW(screen, LF_FACESIZE, face);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  DeleteObject(font);
  EXPECT_STREQ(face, L"Marlett");
}

TEST(RunMachine, HasWindows2000sLook) { EXPECT_EQ(machine::Windows2000LookDifferences(), ""); }

COLORREF SchemeColour(int index) {
  for (size_t i = 0; i < machine::kWindowsStandardCount; ++i) {
    if (machine::kWindowsStandard[i].index == index) return machine::kWindowsStandard[i].colour;
  }
  return CLR_INVALID;
}

// The shipped program, as the run command shows it: its screen pixels.
TEST(RunMachine, ShowsTheProgramActiveInWindows2000sColours) {
  PROCESS_INFORMATION process{};
  std::string why;
  HWND dialog = StartAndFindDialog(QUORVANE_EXE, 60000, process, why);
  ASSERT_NE(dialog, nullptr) << why;
  EXPECT_TRUE(PaintCaptionAsActivated(dialog, why)) << why;
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(process.dwThreadId, &thread);
  EXPECT_EQ(thread.hwndFocus, GetDlgItem(dialog, IDOK)) << "the keyboard focus is not on 升级";
  RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  GdiFlush();
  Sleep(200);  // let the X server finish drawing before the pixels are read

  // The face of 退出, down a column inside its 3-D edge, clear of its text.
  RECT button;
  GetWindowRect(GetDlgItem(dialog, IDCANCEL), &button);
  const Pixels face = ReadScreen(button);
  for (int y = 3; y < face.height - 3; ++y) {
    EXPECT_EQ(face.At(3, y), SchemeColour(COLOR_BTNFACE)) << "row " << y;
  }

  // The caption inside the dialog frame: its top row runs from the active
  // caption's colour to its gradient's, and the title is white on it.
  RECT frame;
  GetWindowRect(dialog, &frame);
  const RECT caption{
      frame.left + GetSystemMetrics(SM_CXDLGFRAME), frame.top + GetSystemMetrics(SM_CYDLGFRAME),
      frame.right - GetSystemMetrics(SM_CXDLGFRAME),
      frame.top + GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION) - 1};
  const Pixels bar = ReadScreen(caption);
  EXPECT_EQ(bar.At(0, 0), SchemeColour(COLOR_ACTIVECAPTION));
  EXPECT_EQ(bar.At(bar.width - 1, 0), SchemeColour(COLOR_GRADIENTACTIVECAPTION));
  int titlePixels = 0;
  for (int y = 0; y < bar.height; ++y) {
    for (int x = 0; x < bar.width / 2; ++x) {
      titlePixels += bar.At(x, y) == SchemeColour(COLOR_CAPTIONTEXT);
    }
  }
  EXPECT_GT(titlePixels, 20) << "no white title";

  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace
