// The program under a Western Windows, ANSI code page 1252 (the driver runs
// under LC_ALL=en_US.UTF-8): its own texts are code page 936 bytes, so the
// fields and message boxes show those bytes read as code page 1252; the
// template's Chinese button texts pass through the ANSI dialog and come out
// as question marks. Expectations are computed through Wine's own tables.
#include "Expectations.h"
#include "Groups.h"
#include "Machine.h"
#include "Scenario.h"
#include "Texts.h"

namespace {

constexpr UINT kWestern = 1252;

std::wstring Shown(const wchar_t* text) { return texts::Cp936BytesShownUnder(kWestern, text); }

}  // namespace

void RunLocaleScenario() {
  Scenario scenario("locale/code page 1252, F value absent: upgrade, No", Sp4State(std::nullopt));
  const FrameTexts frame{texts::kCaption,
                         texts::TemplateTextShownUnder(kWestern, texts::kUpgradeButton),
                         texts::TemplateTextShownUnder(kWestern, texts::kExitButton)};
  if (!scenario.Open(frame)) return;
  scenario.ExpectFields("on start", {texts::kWindows2000Sp4, Shown(texts::kAta28Bit),
                                     Shown(texts::kUpgradeNeeded), true});
  const ExpectedBox question{
      Shown(texts::kRestartCaption), Shown(texts::kRestartQuestion), {IDYES, IDNO}};
  const Fields upgraded{texts::kWindows2000Sp4, Shown(texts::kAta48Bit),
                        Shown(texts::kUpgradeSucceeded), true};
  if (!scenario.ExpectMessageBox(Click(kUpgradeButton, "升级"), question, upgraded, IDNO)) return;
  scenario.ExpectFields("after the answer", upgraded);
  scenario.Exit();
  scenario.ExpectRegistry({Added(machine::ParameterEntry(), machine::Dword(1))});
}
