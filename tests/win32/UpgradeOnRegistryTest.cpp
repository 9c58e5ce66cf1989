// The upgrade action with the real Win32 services: what it leaves in the
// registry, and that it leaves nothing else changed.
#include <gtest/gtest.h>

#include "inspect/DialogOperations.h"
#include "inspect/SystemServices_win.h"
#include "inspect/Upgrade.h"
#include "tests/common/ProgramTable.h"
#include "wine/Machine.h"

namespace {

const char* const kServices = table::kServicesKey;
const char* const kDriverKey = table::kDriverKey;

// Declines the restart, so the test prefix keeps running.
class DecliningDialog final : public DialogOperations {
 public:
  void SetFieldText(int, const char*) override { ++fieldWrites; }
  void EnableUpgradeButton(bool) override {}
  void AppMessageBox(const char*) override { ++failures; }
  int AskMessageBox(const char*, const char*, unsigned) override { return IDNO; }
  int fieldWrites = 0;
  int failures = 0;
};

class UpgradeOnRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(machine::RemoveDriverKeys()); }
  void TearDown() override { machine::RemoveDriverKeys(); }

  testreg::StoredValue Stored() {
    testreg::StoredValue value{};
    EXPECT_TRUE(machine::ReadParameter(value));
    return value;
  }

  Win32SystemServices services;
  DecliningDialog dialog;
};

const testreg::StoredValue kDwordOne = machine::Stored(table::WrittenValue());

TEST_F(UpgradeOnRegistryTest, MissingKeyIsCreatedWithDwordOne) {
  const testreg::Snapshot before = testreg::TakeSnapshot(HKEY_LOCAL_MACHINE, kServices);
  PerformUpgrade(STATE_VALUE_ABSENT, services, dialog);
  EXPECT_EQ(Stored(), kDwordOne);
  EXPECT_EQ(dialog.fieldWrites, 2);
  EXPECT_EQ(dialog.failures, 0);

  const std::string prefix = table::kAtapiKey;
  for (const std::string& line :
       testreg::Differences(before, testreg::TakeSnapshot(HKEY_LOCAL_MACHINE, kServices))) {
    EXPECT_EQ(line.rfind("added " + prefix, 0), 0u) << line;
  }
}

TEST_F(UpgradeOnRegistryTest, ZeroValueOfAnyTypeBecomesDwordOneAndNothingElseChanges) {
  const testreg::StoredValue kBefore[] = {
      {REG_DWORD, {0, 0, 0, 0}}, {REG_SZ, {'0', 0}}, {REG_BINARY, {0, 1, 2, 3, 4, 5, 6, 7}}};
  for (const testreg::StoredValue& value : kBefore) {
    ASSERT_TRUE(testreg::SetValue(HKEY_LOCAL_MACHINE, kDriverKey, table::kParameterValue,
                                  value.type, value.data));
    const testreg::Snapshot before = testreg::TakeSnapshot(HKEY_LOCAL_MACHINE, kServices);

    PerformUpgrade(STATE_VALUE_ZERO, services, dialog);

    EXPECT_EQ(Stored(), kDwordOne);
    EXPECT_EQ(testreg::Differences(before, testreg::TakeSnapshot(HKEY_LOCAL_MACHINE, kServices)),
              std::vector<std::string>{"changed " + machine::ParameterEntry() + " = " +
                                       testreg::Notation(kDwordOne)});
  }
}

TEST_F(UpgradeOnRegistryTest, KeyThatDeniesWritingIsReportedAndLeftAlone) {
  ASSERT_TRUE(testreg::SetDword(HKEY_LOCAL_MACHINE, kDriverKey, table::kParameterValue, 0));
  ASSERT_TRUE(testreg::DenyWriting(HKEY_LOCAL_MACHINE, kDriverKey));
  const testreg::Snapshot before = testreg::TakeSnapshot(HKEY_LOCAL_MACHINE, kServices);

  PerformUpgrade(STATE_VALUE_ABSENT, services, dialog);  // creation refused: the message
  PerformUpgrade(STATE_VALUE_ZERO, services, dialog);    // opening refused: silence
  EXPECT_EQ(dialog.failures, 1);
  EXPECT_EQ(dialog.fieldWrites, 0);
  EXPECT_TRUE(
      testreg::Differences(before, testreg::TakeSnapshot(HKEY_LOCAL_MACHINE, kServices)).empty());
  testreg::AllowWriting(HKEY_LOCAL_MACHINE, kDriverKey);
}

}  // namespace
