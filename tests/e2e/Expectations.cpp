// Shared expectations, from the texts the program must show.
#include "Expectations.h"

#include "Texts.h"

Fields NeedsUpgradeFields() {
  return {texts::kWindows2000Sp4, texts::kAta28Bit, texts::kUpgradeNeeded, true};
}

Fields UpgradedNowFields() {
  return {texts::kWindows2000Sp4, texts::kAta48Bit, texts::kUpgradeSucceeded, true};
}

ExpectedBox RestartQuestion() {
  return {texts::kRestartCaption, texts::kRestartQuestion, {IDYES, IDNO}, true};
}

// The application's message box with no icon of its own: the exclamation mark.
ExpectedBox UpgradeFailedBox() {
  return {texts::kFailureCaption, texts::kUpgradeFailed, {IDOK}, true};
}

machine::State Sp4State(std::optional<testreg::StoredValue> parameter) {
  return {"win2k", machine::Csd(0x400), machine::DriverKey::kPresent, parameter};
}
