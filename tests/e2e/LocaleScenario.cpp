// The program under a Western Windows, ANSI code page 1252 (the driver runs
// under LC_ALL=en_US.UTF-8): its own texts are code page 936 bytes, so the
// fields and message boxes show those bytes read as code page 1252; the
// template's Chinese button texts pass through the ANSI dialog and come out
// as question marks. Expectations are computed through Wine's own tables.
#include <gtest/gtest.h>

#include "Expectations.h"
#include "Scenario.h"
#include "Texts.h"
#include "Utf16.h"

namespace {

constexpr UINT kWestern = 1252;

std::wstring Shown(const char* text) { return texts::Cp936BytesShownUnder(kWestern, Utf16(text)); }

TEST(Locale, CodePage1252ValueAbsentUpgradeAnsweredNo) {
  Scenario scenario(Sp4State(std::nullopt));
  const FrameTexts frame{Utf16(table::kCaption),
                         texts::TemplateTextShownUnder(kWestern, Utf16(table::kUpgradeButton)),
                         texts::TemplateTextShownUnder(kWestern, Utf16(table::kExitButton))};
  if (!scenario.Open(frame, kWestern)) return;
  scenario.ExpectFields("on start", {Utf16(table::kWindows2000Sp4), Shown(table::kAta28Bit),
                                     Shown(table::kUpgradeNeeded), true});
  const ExpectedBox question{
      Shown(table::kRestartCaption), Shown(table::kRestartQuestion), {IDYES, IDNO}};
  const Fields upgraded{Utf16(table::kWindows2000Sp4), Shown(table::kAta48Bit),
                        Shown(table::kUpgradeSucceeded), true};
  if (!scenario.ExpectMessageBox(Click(kUpgradeButton, table::kUpgradeButton), question, upgraded,
                                 IDNO)) {
    return;
  }
  scenario.ExpectFields("after the answer", upgraded);
  scenario.Exit();
  scenario.ExpectRegistry(
      {Added(machine::ParameterEntry(), machine::Stored(table::WrittenValue()))});
}

}  // namespace
