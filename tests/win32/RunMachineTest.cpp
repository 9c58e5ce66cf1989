// The machine that the run command prepares (prepare_machine.exe, from the
// tests' machine model) must lay the dialog out as Windows 2000 does with
// 宋体 9 pt: a dialog unit 1.5 pixels each way. The background picture is
// drawn for exactly that, so only then does each label in it stand level
// with its field.
#include <gtest/gtest.h>
#include <windows.h>

#include "res/resource.h"

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

}  // namespace
