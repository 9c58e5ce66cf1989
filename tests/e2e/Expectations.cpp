// Shared expectations, from the test table.
#include "Expectations.h"

#include "tests/win32/Utf16.h"

Fields ToFields(const table::Fields& fields) {
  return {Utf16(fields.os), Utf16(fields.ata), Utf16(fields.status), fields.upgradeEnabled};
}

Fields FieldsOfRow(char letter) { return ToFields(table::FieldsOfRow(letter)); }

Fields NeedsUpgradeFields() { return FieldsOfRow('F'); }

Fields UpgradedNowFields() { return ToFields(table::UpgradedNow()); }

ExpectedBox RestartQuestion() {
  return {Utf16(table::kRestartCaption), Utf16(table::kRestartQuestion), {IDYES, IDNO}, true};
}

ExpectedBox UpgradeFailedBox() {
  // The program has no name of its own: the box takes the executable's; it
  // asks for no icon, so it gets the exclamation mark.
  std::wstring name = ProgramPath();
  name = name.substr(name.find_last_of(L'\\') + 1);
  name = name.substr(0, name.rfind(L'.'));
  return {name, Utf16(table::kUpgradeFailed), {IDOK}, true};
}
