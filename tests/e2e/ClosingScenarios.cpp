// Each way a person closes the dialog ends the process, and none of them
// upgrades: the dialog is in state F, where an upgrade would write. The keys
// and the close box are real input, which goes to the foreground window;
// the messages they amount to are also posted on their own.
#include <string>

#include "Expectations.h"
#include "Groups.h"
#include "Input.h"
#include "Report.h"
#include "Scenario.h"

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

}  // namespace

void RunClosingScenarios() {
  const Action kMessages[] = {Click(kExitButton, "退出"), EscapeKeyToDialog(), CloseCommand(),
                              CloseMessage()};
  for (const Action& way : kMessages) {
    Scenario scenario("closing/" + way.name, Sp4State(std::nullopt));
    if (!scenario.Open()) continue;
    scenario.ExpectFields("on start", NeedsUpgradeFields());
    scenario.ExpectClosedBy(way);
    scenario.ExpectRegistry({});
  }

  const InputWay kInput[] = {
      {"Esc key", PressEsc}, {"Alt+F4", PressAltF4}, {"close box clicked", ClickCloseBox}};
  for (const InputWay& way : kInput) {
    Scenario scenario(std::string("closing/") + way.name, Sp4State(std::nullopt));
    if (!scenario.Open()) continue;
    scenario.ExpectFields("on start", NeedsUpgradeFields());
    if (report::CheckFlag("dialog in the foreground", true,
                          WaitUntilForeground(scenario.dialog())) &&
        way.give(scenario.dialog())) {
      scenario.ExpectEndedCleanly(way.name);
    }
    scenario.ExpectRegistry({});
  }
}
