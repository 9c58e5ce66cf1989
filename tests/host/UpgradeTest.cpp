// The upgrade action on every path, with every failure the platform can
// answer, and the restart request with the shutdown privilege.
#include <gtest/gtest.h>

#include "FakeSystemServices.h"
#include "RecordingDialog.h"
#include "inspect/Inspection.h"
#include "inspect/Upgrade.h"
#include "res/resource.h"
#include "tests/common/CaseNames.h"
#include "tests/common/ProgramTable.h"

namespace {

const char* const kDriverKey = table::kDriverKey;
const std::string kOpen = "RegOpenKeyExA(" + std::string(kDriverKey) + ", 0xF003F)";
const std::string kCreate = "RegCreateKeyExA(" + std::string(kDriverKey) + ", 0xF003F)";
std::string Write(const char* handle) {
  return "RegSetValueExA(" + std::string(handle) + ", " + table::kParameterValue +
         ", 4, [01 00 00 00], 4)";
}
const std::string kWrite = Write("h1");
const std::string kFailureMessage = "AppMessageBox(" + std::string(table::kUpgradeFailed) + ")";
const std::string kStatusField =
    "SetFieldText(1002, " + std::string(table::kUpgradeSucceeded) + ")";
const std::string kAtaField = "SetFieldText(1001, " + std::string(table::kAta48Bit) + ")";
std::string Question(int answer) {
  return "AskMessageBox(" + std::string(table::kRestartQuestion) + ", " + table::kRestartCaption +
         ", 36) = " + std::to_string(answer);
}
const CallLog kRestart = {
    "OpenProcessToken(0x28) -> h2",
    "LookupPrivilegeValueA(SeShutdownPrivilege)",
    "AdjustTokenPrivileges(h2, 0x13, 2)",
    "ExitWindowsEx(2, 0)",
    "CloseHandle(h2)",
};

CallLog Concat(CallLog head, const CallLog& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

// One machine and one dialog sharing one log.
struct Click {
  CallLog log;
  FakeSystemServices services{log};
  RecordingDialog dialog{log};

  explicit Click(int answer = 7) { dialog.answer = answer; }
  Click& WithValue(uint32_t type, std::vector<uint8_t> data) {
    services.keys[kDriverKey].values[table::kParameterValue] = FakeValue{type, std::move(data)};
    return *this;
  }
  Click& WithDriverKey() {
    services.keys[kDriverKey];
    return *this;
  }
  const CallLog& Upgrade(UpgradeState state) {
    PerformUpgrade(state, services, dialog);
    EXPECT_TRUE(services.openHandles().empty()) << "a key or token was left open";
    EXPECT_EQ(services.badCloses(), 0);
    return log;
  }
  FakeValue Stored() const {
    return services.keys.at(kDriverKey).values.at(table::kParameterValue);
  }
};

const FakeValue kDwordOne = table::WrittenValue();

TEST(PerformUpgrade, AbsentValueCreatesTheMissingKeyAndWritesDwordOne) {
  Click click;
  EXPECT_EQ(click.Upgrade(STATE_VALUE_ABSENT),
            (CallLog{kCreate + " -> h1 = 0", kWrite + " = 0", kStatusField, kAtaField, Question(7),
                     "RegCloseKey(h1)"}));
  EXPECT_TRUE(click.Stored() == kDwordOne);
}

TEST(PerformUpgrade, ZeroValueOfAnyTypeBecomesDwordOne) {
  const FakeValue kBefore[] = {{4, {0, 0, 0, 0}}, {1, {0, 0}}, {3, {0, 9, 9, 9, 9, 9, 9, 9}}};
  for (const FakeValue& before : kBefore) {
    Click click;
    click.WithValue(before.type, before.data);
    EXPECT_EQ(click.Upgrade(STATE_VALUE_ZERO),
              (CallLog{kOpen + " -> h1 = 0", kWrite + " = 0", kStatusField, kAtaField, Question(7),
                       "RegCloseKey(h1)"}));
    EXPECT_TRUE(click.Stored() == kDwordOne);
  }
}

// The driver key denies writing, or it is missing and the Atapi key above it
// refuses new subkeys.
TEST(PerformUpgrade, CreateFailsShowsTheMessageAndClosesNothing) {
  for (const char* refusing : {table::kDriverKey, table::kAtapiKey}) {
    SCOPED_TRACE(refusing);
    Click click;
    click.services.keys[refusing].refusesFullAccess = true;
    EXPECT_EQ(click.Upgrade(STATE_VALUE_ABSENT), (CallLog{kCreate + " = 5", kFailureMessage}));
    EXPECT_EQ(click.services.keys.count(kDriverKey), refusing == kDriverKey ? 1u : 0u);
  }
}

TEST(PerformUpgrade, WriteFailsShowsTheMessageThenClosesTheKey) {
  for (UpgradeState state : {STATE_VALUE_ABSENT, STATE_VALUE_ZERO}) {
    Click click;
    click.WithDriverKey().services.setValueFails = true;
    const std::string first = state == STATE_VALUE_ABSENT ? kCreate : kOpen;
    EXPECT_EQ(click.Upgrade(state),
              (CallLog{first + " -> h1 = 0", kWrite + " = 5", kFailureMessage, "RegCloseKey(h1)"}));
  }
}

TEST(PerformUpgrade, OpenFailsOnTheZeroPathEndsSilently) {
  Click missing;
  EXPECT_EQ(missing.Upgrade(STATE_VALUE_ZERO), (CallLog{kOpen + " = 2"}));

  Click denied;
  denied.WithDriverKey().services.keys[kDriverKey].refusesFullAccess = true;
  EXPECT_EQ(denied.Upgrade(STATE_VALUE_ZERO), (CallLog{kOpen + " = 5"}));
}

// Both paths enable the shutdown privilege: without it Windows 2000 refuses
// the restart the user has just accepted.
TEST(PerformUpgrade, YesRestartsWithTheShutdownPrivilegeOnBothPaths) {
  for (UpgradeState state : {STATE_VALUE_ABSENT, STATE_VALUE_ZERO}) {
    Click click(6);  // IDYES
    click.WithValue(4, {0, 0, 0, 0});
    const std::string first = state == STATE_VALUE_ABSENT ? kCreate : kOpen;
    EXPECT_EQ(click.Upgrade(state),
              Concat({first + " -> h1 = 0", kWrite + " = 0", kStatusField, kAtaField, Question(6)},
                     Concat(kRestart, {"RegCloseKey(h1)"})));
  }
}

TEST(PerformUpgrade, AnyOtherAnswerDoesNotRestart) {
  for (int answer : {7, 2, 0}) {  // IDNO, IDCANCEL, a box that could not be shown
    Click click(answer);
    EXPECT_EQ(click.Upgrade(STATE_VALUE_ABSENT),
              (CallLog{kCreate + " -> h1 = 0", kWrite + " = 0", kStatusField, kAtaField,
                       Question(answer), "RegCloseKey(h1)"}));
  }
}

TEST(PerformUpgrade, UpgradedOrUnsupportedMakesNoCallAtAll) {
  for (UpgradeState state : {STATE_UPGRADED, STATE_UNSUPPORTED}) {
    Click click;
    click.WithValue(4, {0, 0, 0, 0});
    EXPECT_TRUE(click.Upgrade(state).empty());
  }
}

TEST(PerformUpgrade, SecondClickRepeatsThePath) {
  Click click;
  click.Upgrade(STATE_VALUE_ABSENT);
  click.log.clear();
  EXPECT_EQ(click.Upgrade(STATE_VALUE_ABSENT),
            (CallLog{kCreate + " -> h2 = 0", Write("h2") + " = 0", kStatusField, kAtaField,
                     Question(7), "RegCloseKey(h2)"}));
}

// The upgrade paths of the test table: inspected, the registry changed
// under the dialog, then clicked and the question answered No.
class UpgradePath : public ::testing::TestWithParam<table::UpgradePath> {};

TEST_P(UpgradePath, ReactsAndLeavesTheValueOfItsPath) {
  const table::UpgradePath& path = GetParam();
  CallLog log;
  FakeSystemServices services(log);
  services.Install(table::MachineOf(path));
  const InspectionResult inspection = InspectUpgradeStatus(services);
  ASSERT_EQ(inspection.button, BUTTON_ENABLED);

  switch (path.interference) {
    case table::Interference::kNone:
      break;
    case table::Interference::kDenyWriting:
      services.keys[kDriverKey].refusesFullAccess = true;
      break;
    case table::Interference::kRemoveKeys:
      services.keys.erase(kDriverKey);
      break;
    case table::Interference::kRefuseValue:
      services.setValueFails = true;
      break;
  }
  RecordingDialog dialog(log);  // answers No
  for (int click = 1; click <= path.clicks; ++click) {
    SCOPED_TRACE(click);
    log.clear();
    PerformUpgrade(inspection.state, services, dialog);
    CallLog shown;
    for (const std::string& call : log) {
      if (call.rfind("AppMessageBox", 0) == 0 || call.rfind("AskMessageBox", 0) == 0 ||
          call.rfind("SetFieldText", 0) == 0) {
        shown.push_back(call);
      }
    }
    switch (path.reaction) {
      case table::Reaction::kQuestion:
        EXPECT_EQ(shown, (CallLog{kStatusField, kAtaField, Question(7)}));
        break;
      case table::Reaction::kFailureBox:
        EXPECT_EQ(shown, CallLog{kFailureMessage});
        break;
      case table::Reaction::kNothing:
        EXPECT_TRUE(shown.empty());
        break;
    }
  }
  EXPECT_EQ(services.Parameter(), path.valueAfter);
  if (path.driverKey == table::DriverKey::kMissing) {
    EXPECT_EQ(services.keys.count(kDriverKey), 1u) << "the click creates the driver key";
  }
  EXPECT_TRUE(services.openHandles().empty());
}

INSTANTIATE_TEST_SUITE_P(Table, UpgradePath, ::testing::ValuesIn(table::UpgradePaths()),
                         table::NameCases());

TEST(RequestReboot, TokenThatWillNotOpenStillRestarts) {
  CallLog log;
  FakeSystemServices services(log);
  services.openTokenFails = true;
  RequestReboot(services, true);
  EXPECT_EQ(log, (CallLog{"OpenProcessToken(0x28)", "ExitWindowsEx(2, 0)"}));
}

TEST(RequestReboot, WithoutThePrivilegeStepOnlyRestarts) {
  CallLog log;
  FakeSystemServices services(log);
  RequestReboot(services, false);
  EXPECT_EQ(log, CallLog{"ExitWindowsEx(2, 0)"});
}

}  // namespace
