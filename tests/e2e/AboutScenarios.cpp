// The About box, opened from outside with the system command its menu item
// sends (menus belong to their process, so the item itself cannot be
// clicked from here), and each way out of it back to the unchanged dialog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Report.h"
#include "Scenario.h"
#include "tests/common/CaseNames.h"
#include "tests/win32/Utf16.h"
#include "wine/DialogDriver.h"

namespace {

constexpr WPARAM kAboutCommand = 0x0010;

struct WayOut {
  const char* name;
  void (*close)(HWND about);
};
void PrintTo(const WayOut& way, std::ostream* out) { *out << way.name; }

bool WaitUntilGone(HWND window) {
  for (int i = 0; i < 250 && IsWindow(window); ++i) Sleep(20);
  return !IsWindow(window);
}

std::vector<std::wstring> ChildTexts(HWND window) {
  std::vector<std::wstring> texts;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    texts.push_back(WindowTextW(child));
  }
  return texts;
}

class AboutBox : public ::testing::TestWithParam<WayOut> {};

TEST_P(AboutBox, ShowsItsTextsAndLeadsBackToTheUnchangedDialog) {
  const WayOut& way = GetParam();
  Scenario scenario(table::WithParameter(std::nullopt));
  if (!scenario.Open()) return;
  scenario.ExpectFields("on start", NeedsUpgradeFields());

  PostMessageW(scenario.dialog(), WM_SYSCOMMAND, kAboutCommand, 0);
  HWND about = WaitForProcessDialog(scenario.processId(), scenario.dialog(), 5000);
  if (about == nullptr) {
    report::Fail("WM_SYSCOMMAND 0x10: no About box appeared");
    return;
  }
  report::CheckText("About box caption", Utf16(table::kAboutCaption), WindowTextW(about));
  const std::vector<std::wstring> texts = ChildTexts(about);
  // The icon (no text), the name and version, the maker's notice, OK and
  // the purpose, in template order.
  report::CheckNumber("About box controls", 5, static_cast<unsigned long>(texts.size()));
  if (texts.size() == 5) {
    report::CheckText("About box: name and version", Utf16(table::kAboutVersion), texts[1]);
    report::CheckFlag("About box: the maker's notice is there", true, !texts[2].empty());
    report::CheckText("About box: OK button", Utf16(table::kAboutOk), texts[3]);
    report::CheckText("About box: purpose", Utf16(table::kAboutPurpose), texts[4]);
  }
  report::CheckFlag("main dialog disabled while the About box is up", false,
                    IsWindowEnabled(scenario.dialog()) != 0);

  way.close(about);
  report::CheckFlag(std::string("About box closed by ") + way.name, true, WaitUntilGone(about));
  report::CheckFlag("main dialog enabled again", true, IsWindowEnabled(scenario.dialog()) != 0);
  scenario.ExpectStillRunning("after the About box");
  scenario.ExpectFields("after the About box", NeedsUpgradeFields());
  scenario.Exit();
  scenario.ExpectRegistry({});
}

const WayOut kWaysOut[] = {
    {"OK", [](HWND about) { PostMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0); }},
    {"Esc", [](HWND about) { PostMessageW(about, WM_KEYDOWN, VK_ESCAPE, 0x00010001); }},
    {"close box", [](HWND about) { PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0); }},
};

INSTANTIATE_TEST_SUITE_P(About, AboutBox, ::testing::ValuesIn(kWaysOut), table::NameCases());
// On a Western Windows (see Western.h) its texts once.
INSTANTIATE_TEST_SUITE_P(Western, AboutBox, ::testing::Values(kWaysOut[0]), table::NameCases());

}  // namespace
