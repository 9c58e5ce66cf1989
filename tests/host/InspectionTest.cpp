// The status inspection over every row of its outcome table and every edge
// the registry can present, with the exact platform calls it makes.
#include <gtest/gtest.h>

#include "FakeSystemServices.h"
#include "RecordingDialog.h"
#include "inspect/Inspection.h"
#include "inspect/Texts.h"

namespace {

const char kWindowsKey[] = "System\\CurrentControlSet\\Control\\Windows";
const char kDriverKey[] = "System\\CurrentControlSet\\Services\\Atapi\\Parameters";

const VersionRecord kWin2000{2, 5, 0, 2195};

FakeValue Dword(uint32_t value) {
  return {4, {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
              static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)}};
}

enum DriverKey { DRIVER_KEY_PRESENT, DRIVER_KEY_MISSING, DRIVER_KEY_DENIES_WRITING };

struct Machine {
  std::optional<VersionRecord> version = kWin2000;
  bool windowsKeyPresent = true;
  std::optional<FakeValue> csdVersion = Dword(0x400);
  DriverKey driverKey = DRIVER_KEY_PRESENT;
  std::optional<FakeValue> parameter;  // the driver's "Quorvane" value

  void Install(FakeSystemServices& services) const {
    services.version = version;
    if (windowsKeyPresent) {
      FakeKey& key = services.keys[kWindowsKey];
      if (csdVersion) key.values["CSDVersion"] = *csdVersion;
    }
    if (driverKey != DRIVER_KEY_MISSING) {
      FakeKey& key = services.keys[kDriverKey];
      key.refusesFullAccess = driverKey == DRIVER_KEY_DENIES_WRITING;
      if (parameter) key.values["Quorvane"] = *parameter;
    }
  }
};

Machine WithVersion(std::optional<VersionRecord> version) {
  Machine machine;
  machine.version = version;
  return machine;
}
Machine WithCsdVersion(std::optional<FakeValue> csdVersion) {
  Machine machine;
  machine.csdVersion = csdVersion;
  return machine;
}
Machine WithParameter(std::optional<FakeValue> parameter) {
  Machine machine;
  machine.parameter = parameter;
  return machine;
}
Machine WithDriverKey(DriverKey driverKey) {
  Machine machine;
  machine.driverKey = driverKey;
  machine.parameter = Dword(0);
  return machine;
}

struct Outcome {
  CallLog dialog;  // the dialog operations in the order they are made
  UpgradeState state;
};

// Where nothing may be upgraded, the button is disabled before any field is
// written; on Windows 2000 it is set after the fields.
const CallLog kRowA98 = {"EnableUpgradeButton(false)", "SetFieldText(1003, Windows 98)",
                         "SetFieldText(1002, 不能升级)", "SetFieldText(1001, 28位ATA规范)"};
const Outcome kRowB = {{"EnableUpgradeButton(false)", "SetFieldText(1003, Windows XP)",
                        "SetFieldText(1002, 本程序不支持)"},
                       STATE_UNSUPPORTED};
const Outcome kRowC = {{"EnableUpgradeButton(false)"}, STATE_UNSUPPORTED};
const Outcome kRowD = {{}, STATE_UNSUPPORTED};
const Outcome kRowE = {{"SetFieldText(1003, Windows 2000 SP4)",
                        "SetFieldText(1003, Windows 2000 SP4)", "SetFieldText(1002, 不能升级)",
                        "SetFieldText(1001, 28位ATA规范)"},
                       STATE_UNSUPPORTED};
const Outcome kRowF = {{"SetFieldText(1003, Windows 2000 SP4)", "SetFieldText(1002, 需要升级)",
                        "SetFieldText(1001, 28位ATA规范)", "EnableUpgradeButton(true)"},
                       STATE_VALUE_ABSENT};
const Outcome kRowG = {{"SetFieldText(1003, Windows 2000 SP4)", "SetFieldText(1002, 已经升级)",
                        "SetFieldText(1001, 48位ATA规范)", "EnableUpgradeButton(false)"},
                       STATE_UPGRADED};
const Outcome kRowH = {{"SetFieldText(1003, Windows 2000 SP4)", "SetFieldText(1002, 需要升级)",
                        "SetFieldText(1001, 28位ATA规范)", "EnableUpgradeButton(true)"},
                       STATE_VALUE_ZERO};

Outcome RowA(const char* name) {
  CallLog dialog = kRowA98;
  dialog[1] = std::string("SetFieldText(1003, ") + name + ")";
  return {dialog, STATE_UNSUPPORTED};
}

struct InspectionCase {
  const char* what;
  Machine machine;
  Outcome expected;
};

const InspectionCase kCases[] = {
    {"A: 98", WithVersion(VersionRecord{1, 4, 10, 1998}), RowA("Windows 98")},
    {"A: 98 SE", WithVersion(VersionRecord{1, 4, 10, 2222}), RowA("Windows 98 SE")},
    {"A: ME", WithVersion(VersionRecord{1, 4, 90, 3000}), RowA("Windows ME")},
    {"A: NT 4", WithVersion(VersionRecord{2, 4, 0, 1381}), RowA("Windows NT 4")},
    {"B: XP", WithVersion(VersionRecord{2, 5, 1, 2600}), kRowB},
    {"B: 2003", WithVersion(VersionRecord{2, 5, 2, 3790}), kRowB},
    {"C: 95", WithVersion(VersionRecord{1, 4, 0, 950}), kRowC},
    {"C: version query failed", WithVersion(std::nullopt), kRowC},
    {"D: SP3", WithCsdVersion(Dword(0x300)), kRowD},
    {"D: SP4 with a minor number", WithCsdVersion(Dword(0x401)), kRowD},
    {"D: no service pack", WithCsdVersion(Dword(0)), kRowD},
    {"D: CSDVersion missing", WithCsdVersion(std::nullopt), kRowD},
    {"D: CSDVersion too long to read", WithCsdVersion(FakeValue{3, std::vector<uint8_t>(8, 0)}),
     kRowD},
    {"E: driver key missing", WithDriverKey(DRIVER_KEY_MISSING), kRowE},
    {"E: driver key denies writing", WithDriverKey(DRIVER_KEY_DENIES_WRITING), kRowE},
    {"F: value absent", WithParameter(std::nullopt), kRowF},
    {"F: 8 bytes of REG_BINARY", WithParameter(FakeValue{3, {1, 1, 1, 1, 1, 1, 1, 1}}), kRowF},
    {"G: DWORD 1", WithParameter(Dword(1)), kRowG},
    {"G: REG_SZ \"1\"", WithParameter(FakeValue{1, {'1', 0}}), kRowG},
    {"H: DWORD 0", WithParameter(Dword(0)), kRowH},
    {"H: DWORD 256, first byte zero", WithParameter(Dword(256)), kRowH},
    {"H: SP4 with a nonzero high word", [] {
       Machine machine = WithParameter(Dword(0));
       machine.csdVersion = Dword(0x10400);
       return machine;
     }(),
     kRowH},
};

TEST(InspectUpgradeStatus, EveryRowAndEdge) {
  for (const InspectionCase& c : kCases) {
    SCOPED_TRACE(c.what);
    CallLog platform;
    CallLog dialogLog;
    FakeSystemServices services(platform);
    RecordingDialog dialog(dialogLog);
    c.machine.Install(services);

    const InspectionResult result = InspectUpgradeStatus(services);
    ApplyInspection(result, dialog);

    EXPECT_EQ(dialogLog, c.expected.dialog);
    EXPECT_EQ(result.state, c.expected.state);
    EXPECT_TRUE(services.openHandles().empty());
    EXPECT_EQ(services.badCloses(), 0);
  }
}

CallLog Inspect(const Machine& machine) {
  CallLog platform;
  FakeSystemServices services(platform);
  machine.Install(services);
  InspectUpgradeStatus(services);
  return platform;
}

TEST(InspectUpgradeStatus, ReadsServicePackThenDriverValueInOrder) {
  EXPECT_EQ(Inspect(WithParameter(Dword(0))),
            (CallLog{
                "GetVersionExA()",
                "RegOpenKeyExA(System\\CurrentControlSet\\Control\\Windows, 0x1) -> h1 = 0",
                "RegQueryValueExA(h1, CSDVersion, NULL, [00 00 00 00], 4)",
                "RegCloseKey(h1)",
                "RegOpenKeyExA(System\\CurrentControlSet\\Services\\Atapi\\Parameters, 0xF003F)"
                " -> h2 = 0",
                "RegQueryValueExA(h2, Quorvane, type, [00 00 00 00], 4)",
                "RegCloseKey(h2)",
            }));
}

TEST(InspectUpgradeStatus, OtherSystemsTouchNoRegistry) {
  for (const VersionRecord& version :
       {VersionRecord{2, 5, 1, 2600}, VersionRecord{1, 4, 10, 1998}, VersionRecord{1, 4, 0, 950}}) {
    EXPECT_EQ(Inspect(WithVersion(version)), CallLog{"GetVersionExA()"});
  }
}

TEST(InspectUpgradeStatus, UnreadableServicePackStopsBeforeTheDriverKey) {
  EXPECT_EQ(Inspect(WithCsdVersion(Dword(0x300))),
            (CallLog{
                "GetVersionExA()",
                "RegOpenKeyExA(System\\CurrentControlSet\\Control\\Windows, 0x1) -> h1 = 0",
                "RegQueryValueExA(h1, CSDVersion, NULL, [00 00 00 00], 4)",
                "RegCloseKey(h1)",
            }));

  Machine noWindowsKey;
  noWindowsKey.windowsKeyPresent = false;
  EXPECT_EQ(Inspect(noWindowsKey),
            (CallLog{
                "GetVersionExA()",
                "RegOpenKeyExA(System\\CurrentControlSet\\Control\\Windows, 0x1) = 2",
            }));
}

TEST(InspectUpgradeStatus, DriverKeyThatWillNotOpenIsNotClosed) {
  const CallLog calls = Inspect(WithDriverKey(DRIVER_KEY_DENIES_WRITING));
  EXPECT_EQ(calls.back(),
            "RegOpenKeyExA(System\\CurrentControlSet\\Services\\Atapi\\Parameters, 0xF003F) = 5");
}

}  // namespace
