// The upgrade action on every path, with every failure the platform can
// answer, and the restart request with the shutdown privilege.
#include <gtest/gtest.h>

#include "FakeSystemServices.h"
#include "RecordingDialog.h"
#include "inspect/Upgrade.h"

namespace {

const char kDriverKey[] = "System\\CurrentControlSet\\Services\\Atapi\\Parameters";
const std::string kOpen =
    "RegOpenKeyExA(System\\CurrentControlSet\\Services\\Atapi\\Parameters, 0xF003F)";
const std::string kCreate =
    "RegCreateKeyExA(System\\CurrentControlSet\\Services\\Atapi\\Parameters, 0xF003F)";
const std::string kWrite = "RegSetValueExA(h1, Quorvane, 4, [01 00 00 00], 4)";
const std::string kFailureMessage = "AppMessageBox(升级没用成功！)";
const std::string kStatusField = "SetFieldText(1002, 升级成功)";
const std::string kAtaField = "SetFieldText(1001, 48位ATA规范)";
std::string Question(int answer) {
  return "AskMessageBox(升级成功！必须重启才能有效！是否重启？, 确认提示, 36) = " +
         std::to_string(answer);
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
    services.keys[kDriverKey].values["Quorvane"] = FakeValue{type, std::move(data)};
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
  FakeValue Stored() const { return services.keys.at(kDriverKey).values.at("Quorvane"); }
};

const FakeValue kDwordOne{4, {1, 0, 0, 0}};

bool operator==(const FakeValue& a, const FakeValue& b) {
  return a.type == b.type && a.data == b.data;
}

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

TEST(PerformUpgrade, CreateFailsShowsTheMessageAndClosesNothing) {
  Click click;
  click.services.createFails = true;
  EXPECT_EQ(click.Upgrade(STATE_VALUE_ABSENT), (CallLog{kCreate + " = 5", kFailureMessage}));
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
            (CallLog{kCreate + " -> h2 = 0",
                     "RegSetValueExA(h2, Quorvane, 4, [01 00 00 00], 4) = 0", kStatusField,
                     kAtaField, Question(7), "RegCloseKey(h2)"}));
}

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
