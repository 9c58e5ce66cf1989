// The status inspection over every row of the test table, against the
// in-memory machine: the dialog it leaves, and the exact platform and dialog
// calls it makes on the way.
#include <gtest/gtest.h>

#include "FakeSystemServices.h"
#include "RecordingDialog.h"
#include "inspect/Inspection.h"
#include "res/resource.h"
#include "tests/common/CaseNames.h"
#include "tests/common/ProgramTable.h"

namespace {

using table::Row;

std::string SetField(int id, const std::string& text) {
  return "SetFieldText(" + std::to_string(id) + ", " + text + ")";
}
std::string EnableButton(bool enable) {
  return std::string("EnableUpgradeButton(") + (enable ? "true" : "false") + ")";
}

// The dialog calls of each row, in the order the inspection makes them.
// Only the calls are listed here; the texts and the button come from the
// table.
CallLog ExpectedDialogCalls(const Row& row) {
  const table::Fields& fields = row.fields;
  CallLog calls;
  const auto write = [&calls](int id, const std::string& text) {
    if (!text.empty()) calls.push_back(SetField(id, text));
  };
  switch (row.letter) {
    case 'A':
    case 'B':
    case 'C':
      // Any system other than Windows 2000: the button is disabled before
      // any field is written.
      calls.push_back(EnableButton(fields.upgradeEnabled));
      write(IDC_OS_NAME, fields.os);
      write(IDC_UPGRADE_STATUS, fields.status);
      write(IDC_ATA_MODE, fields.ata);
      break;
    case 'D':
      break;  // nothing written, the button untouched
    case 'E':
      // The name is written again, formatted with the service pack's number.
      write(IDC_OS_NAME, table::kWindows2000Sp4);
      write(IDC_OS_NAME, fields.os);
      write(IDC_UPGRADE_STATUS, fields.status);
      write(IDC_ATA_MODE, fields.ata);
      break;  // the button untouched
    default:
      write(IDC_OS_NAME, fields.os);
      write(IDC_UPGRADE_STATUS, fields.status);
      write(IDC_ATA_MODE, fields.ata);
      calls.push_back(EnableButton(fields.upgradeEnabled));
      break;
  }
  return calls;
}

// The dialog as the user sees it after the calls: empty fields and an
// enabled button, as the template gives them, then each call applied.
class FinalDialog final : public DialogOperations {
 public:
  table::Fields fields{"", "", "", true};

  void SetFieldText(int controlId, const char* text) override {
    const std::string utf8 = Utf8FromCp936(text);
    if (controlId == IDC_OS_NAME) fields.os = utf8;
    if (controlId == IDC_ATA_MODE) fields.ata = utf8;
    if (controlId == IDC_UPGRADE_STATUS) fields.status = utf8;
  }
  void EnableUpgradeButton(bool enable) override { fields.upgradeEnabled = enable; }
  void AppMessageBox(const char*) override { ADD_FAILURE() << "the inspection shows no box"; }
  int AskMessageBox(const char*, const char*, unsigned) override {
    ADD_FAILURE() << "the inspection asks nothing";
    return 0;
  }
};

class InspectionRow : public ::testing::TestWithParam<Row> {};

TEST_P(InspectionRow, LeavesTheFieldsStateAndButtonOfItsRow) {
  const Row& row = GetParam();
  CallLog platform;
  FakeSystemServices services(platform);
  services.Install(row.machine);
  FinalDialog dialog;

  const InspectionResult result = InspectUpgradeStatus(services);
  ApplyInspection(result, dialog);

  EXPECT_EQ(dialog.fields.os, row.fields.os);
  EXPECT_EQ(dialog.fields.ata, row.fields.ata);
  EXPECT_EQ(dialog.fields.status, row.fields.status);
  EXPECT_EQ(dialog.fields.upgradeEnabled, row.fields.upgradeEnabled);
  EXPECT_EQ(result.state, row.state);
  EXPECT_TRUE(services.openHandles().empty()) << "a key was left open";
  EXPECT_EQ(services.badCloses(), 0);
  for (const std::string& call : platform) {
    EXPECT_TRUE(call.rfind("RegCreate", 0) != 0 && call.rfind("RegSet", 0) != 0)
        << "the inspection writes nothing: " << call;
  }
}

TEST_P(InspectionRow, MakesTheDialogCallsOfItsRowInOrder) {
  const Row& row = GetParam();
  CallLog platform;
  CallLog dialogLog;
  FakeSystemServices services(platform);
  services.Install(row.machine);
  RecordingDialog dialog(dialogLog);

  ApplyInspection(InspectUpgradeStatus(services), dialog);

  EXPECT_EQ(dialogLog, ExpectedDialogCalls(row));
}

INSTANTIATE_TEST_SUITE_P(Table, InspectionRow, ::testing::ValuesIn(table::Rows()),
                         table::NameCases());

const std::string kWindowsKey = table::kWindowsKey;
const std::string kDriverKey = table::kDriverKey;
const std::string kAtapiKey = table::kAtapiKey;

CallLog Inspect(const table::Machine& machine) {
  CallLog platform;
  FakeSystemServices services(platform);
  services.Install(machine);
  InspectUpgradeStatus(services);
  return platform;
}

TEST(InspectUpgradeStatus, ReadsServicePackThenDriverValueInOrder) {
  EXPECT_EQ(Inspect(table::WithParameter(table::Dword(0))),
            (CallLog{
                "GetVersionExA()",
                "RegOpenKeyExA(" + kWindowsKey + ", 0x1) -> h1 = 0",
                "RegQueryValueExA(h1, " + std::string(table::kCsdVersionValue) +
                    ", NULL, [00 00 00 00], 4)",
                "RegCloseKey(h1)",
                "RegOpenKeyExA(" + kDriverKey + ", 0xF003F) -> h2 = 0",
                "RegQueryValueExA(h2, " + std::string(table::kParameterValue) +
                    ", type, [00 00 00 00], 4)",
                "RegCloseKey(h2)",
            }));
}

TEST(InspectUpgradeStatus, OtherSystemsTouchNoRegistry) {
  for (const table::Version& version : {table::kWinXp, table::kWin98, table::kWin95}) {
    EXPECT_EQ(Inspect(table::WithVersion(version)), CallLog{"GetVersionExA()"});
  }
}

TEST(InspectUpgradeStatus, UnreadableServicePackStopsBeforeTheDriverKey) {
  EXPECT_EQ(Inspect(table::WithCsdVersion(table::Dword(0x300))),
            (CallLog{
                "GetVersionExA()",
                "RegOpenKeyExA(" + kWindowsKey + ", 0x1) -> h1 = 0",
                "RegQueryValueExA(h1, " + std::string(table::kCsdVersionValue) +
                    ", NULL, [00 00 00 00], 4)",
                "RegCloseKey(h1)",
            }));

  // No Windows key at all.
  CallLog platform;
  FakeSystemServices services(platform);
  services.Install(table::Machine{});
  services.keys.erase(table::kWindowsKey);
  InspectUpgradeStatus(services);
  EXPECT_EQ(platform, (CallLog{
                          "GetVersionExA()",
                          "RegOpenKeyExA(" + kWindowsKey + ", 0x1) = 2",
                      }));
}

// The calls after the service pack is read, by the driver key's state: only
// a missing driver key leads on to the service key, which is opened for
// adding a key and closed again. A key that did not open is not closed.
TEST(InspectUpgradeStatus, TellsAMissingDriverKeyFromARefusedOne) {
  using table::DriverKey;
  const std::string openDriver = "RegOpenKeyExA(" + kDriverKey + ", 0xF003F)";
  const std::string openAtapi = "RegOpenKeyExA(" + kAtapiKey + ", 0x4)";
  const struct {
    DriverKey driverKey;
    CallLog calls;
  } kCases[] = {
      {DriverKey::kMissing, {openDriver + " = 2", openAtapi + " -> h2 = 0", "RegCloseKey(h2)"}},
      {DriverKey::kAtapiMissing, {openDriver + " = 2", openAtapi + " = 2"}},
      {DriverKey::kAtapiDeniesWriting, {openDriver + " = 2", openAtapi + " = 5"}},
      {DriverKey::kDeniesWriting, {openDriver + " = 5"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(static_cast<int>(c.driverKey));
    const CallLog calls = Inspect(table::WithDriverKey(c.driverKey, std::nullopt));
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(CallLog(calls.begin() + 4, calls.end()), c.calls);
  }
}

}  // namespace
