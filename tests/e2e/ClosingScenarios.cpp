// Each way a person closes the dialog ends the process, and none of them
// upgrades: the dialog is in state F, where an upgrade would write. The keys
// and the close box are real input, which goes to the foreground window;
// the messages they amount to are also posted on their own.
#include <gtest/gtest.h>

#include <string>

#include "Input.h"
#include "Report.h"
#include "Scenario.h"
#include "tests/common/CaseNames.h"

namespace {

bool PressEsc(HWND) { return report::CheckFlag("Esc pressed", true, PressKeys({VK_ESCAPE})); }

bool PressAltF4(HWND) {
  return report::CheckFlag("Alt+F4 pressed", true, PressKeys({VK_MENU, VK_F4}));
}

bool ClickCloseBox(HWND dialog) {
  POINT closeBox{};
  return report::CheckFlag("close box found at the frame's top right", true,
                           FindCloseBox(dialog, closeBox)) &&
         report::CheckFlag("close box clicked", true, ClickAt(closeBox));
}

struct InputWay {
  const char* name;
  bool (*give)(HWND dialog);  // reports each step; false when one failed
};
void PrintTo(const InputWay& way, std::ostream* out) { *out << way.name; }

class ClosedByMessage : public ::testing::TestWithParam<Action> {};

TEST_P(ClosedByMessage, EndsTheProgramAndUpgradesNothing) {
  Scenario scenario(table::WithParameter(std::nullopt));
  if (!scenario.Open()) return;
  scenario.ExpectFields("on start", NeedsUpgradeFields());
  scenario.ExpectClosedBy(GetParam());
  scenario.ExpectRegistry({});
}

INSTANTIATE_TEST_SUITE_P(Closing, ClosedByMessage,
                         ::testing::Values(Click(kExitButton, "exit button"), EscapeKeyToDialog(),
                                           CloseCommand(), CloseMessage()),
                         table::NameCases());

class ClosedByInput : public ::testing::TestWithParam<InputWay> {};

TEST_P(ClosedByInput, EndsTheProgramAndUpgradesNothing) {
  const InputWay& way = GetParam();
  Scenario scenario(table::WithParameter(std::nullopt));
  if (!scenario.Open()) return;
  scenario.ExpectFields("on start", NeedsUpgradeFields());
  if (report::CheckFlag("dialog in the foreground", true, WaitUntilForeground(scenario.dialog())) &&
      way.give(scenario.dialog())) {
    scenario.ExpectEndedCleanly(way.name);
  }
  scenario.ExpectRegistry({});
}

INSTANTIATE_TEST_SUITE_P(Closing, ClosedByInput,
                         ::testing::Values(InputWay{"Esc key", PressEsc},
                                           InputWay{"Alt F4", PressAltF4},
                                           InputWay{"close box clicked", ClickCloseBox}),
                         table::NameCases());

}  // namespace
