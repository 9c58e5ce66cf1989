// The machine's look: Windows 2000 has no visual themes, its "Windows
// Standard" colour scheme and gradient captions.
#include <windows.h>
// uxtheme.h needs the types of windows.h.
#include <uxtheme.h>

#include <cstdio>

#include "wine/Machine.h"

namespace machine {

namespace {

const char kThemeManagerKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";
const char kColoursKey[] = "Control Panel\\Colors";

std::string Notation(COLORREF colour) {  // "212 208 200", as the registry holds colours
  char text[16];
  std::snprintf(text, sizeof text, "%u %u %u", GetRValue(colour), GetGValue(colour),
                GetBValue(colour));
  return text;
}

}  // namespace

const SchemeColour kWindowsStandard[] = {
    {"Scrollbar", COLOR_SCROLLBAR, RGB(212, 208, 200)},
    {"Background", COLOR_BACKGROUND, RGB(58, 110, 165)},
    {"ActiveTitle", COLOR_ACTIVECAPTION, RGB(10, 36, 106)},
    {"InactiveTitle", COLOR_INACTIVECAPTION, RGB(128, 128, 128)},
    {"Menu", COLOR_MENU, RGB(212, 208, 200)},
    {"Window", COLOR_WINDOW, RGB(255, 255, 255)},
    {"WindowFrame", COLOR_WINDOWFRAME, RGB(0, 0, 0)},
    {"MenuText", COLOR_MENUTEXT, RGB(0, 0, 0)},
    {"WindowText", COLOR_WINDOWTEXT, RGB(0, 0, 0)},
    {"TitleText", COLOR_CAPTIONTEXT, RGB(255, 255, 255)},
    {"ActiveBorder", COLOR_ACTIVEBORDER, RGB(212, 208, 200)},
    {"InactiveBorder", COLOR_INACTIVEBORDER, RGB(212, 208, 200)},
    {"AppWorkSpace", COLOR_APPWORKSPACE, RGB(128, 128, 128)},
    {"Hilight", COLOR_HIGHLIGHT, RGB(10, 36, 106)},
    {"HilightText", COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
    {"ButtonFace", COLOR_BTNFACE, RGB(212, 208, 200)},
    {"ButtonShadow", COLOR_BTNSHADOW, RGB(128, 128, 128)},
    {"GrayText", COLOR_GRAYTEXT, RGB(128, 128, 128)},
    {"ButtonText", COLOR_BTNTEXT, RGB(0, 0, 0)},
    {"InactiveTitleText", COLOR_INACTIVECAPTIONTEXT, RGB(212, 208, 200)},
    {"ButtonHilight", COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)},
    {"ButtonDkShadow", COLOR_3DDKSHADOW, RGB(64, 64, 64)},
    {"ButtonLight", COLOR_3DLIGHT, RGB(212, 208, 200)},
    {"InfoText", COLOR_INFOTEXT, RGB(0, 0, 0)},
    {"InfoWindow", COLOR_INFOBK, RGB(255, 255, 225)},
    {"ButtonAlternateFace", 25, RGB(181, 181, 181)},  // no COLOR_ name; unused by the system
    {"HotTrackingColor", COLOR_HOTLIGHT, RGB(0, 0, 128)},
    {"GradientActiveTitle", COLOR_GRADIENTACTIVECAPTION, RGB(166, 202, 240)},
    {"GradientInactiveTitle", COLOR_GRADIENTINACTIVECAPTION, RGB(192, 192, 192)},
    // Windows XP's two additions, as its classic scheme has them, so that no
    // colour of Wine's theme is left.
    {"MenuHilight", COLOR_MENUHILIGHT, RGB(10, 36, 106)},
    {"MenuBar", COLOR_MENUBAR, RGB(212, 208, 200)},
};
const size_t kWindowsStandardCount = sizeof kWindowsStandard / sizeof kWindowsStandard[0];

bool ShowWindows2000Look() {
  if (!testreg::SetString(HKEY_CURRENT_USER, kThemeManagerKey, "ThemeActive", "0")) return false;
  for (const SchemeColour& colour : kWindowsStandard) {
    if (!testreg::SetString(HKEY_CURRENT_USER, kColoursKey, colour.name, Notation(colour.colour))) {
      return false;
    }
  }
  // Through the system, which keeps it in UserPreferencesMask.
  return SystemParametersInfoW(SPI_SETGRADIENTCAPTIONS, 0, reinterpret_cast<void*>(TRUE),
                               SPIF_UPDATEINIFILE) != FALSE;
}

std::string Windows2000LookDifferences() {
  std::string differences;
  if (IsThemeActive()) differences += "a visual theme is active\n";
  for (const SchemeColour& colour : kWindowsStandard) {
    const COLORREF shown = GetSysColor(colour.index);
    if (shown != colour.colour) {
      differences += std::string(colour.name) + " is " + Notation(shown) + ", not " +
                     Notation(colour.colour) + "\n";
    }
  }
  BOOL gradient = FALSE;
  if (!SystemParametersInfoW(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0) || !gradient) {
    differences += "captions are not gradients\n";
  }
  return differences;
}

}  // namespace machine
