// What the dialog shows on start, system by system and registry state by
// registry state, and that the upgrade button does nothing where nothing
// may be upgraded. A click must leave the control set as it was.
#include <optional>

#include "Expectations.h"
#include "Groups.h"
#include "Machine.h"
#include "Scenario.h"
#include "Texts.h"

namespace {

using machine::Binary;
using machine::Csd;
using machine::CsdMissing;
using machine::CsdString;
using machine::DriverKey;
using machine::Dword;
using machine::String;

// What is tried on the upgrade button once the fields are read.
enum class Poke {
  kNone,             // an upgrade would happen: the upgrade scenarios try it
  kClick,            // enabled, yet nothing may happen
  kClickAndCommand,  // disabled: a click, and the command sent past the button
};

struct Row {
  const char* name;
  machine::State state;
  Fields fields;
  Poke poke;
};

const std::nullopt_t kAbsent = std::nullopt;

const Fields kOlderSystem98Se{texts::kWindows98Se, texts::kAta28Bit, texts::kCannotUpgrade, false};
const Fields kOlderSystemMe{texts::kWindowsMe, texts::kAta28Bit, texts::kCannotUpgrade, false};
const Fields kOlderSystemNt4{texts::kWindowsNt4, texts::kAta28Bit, texts::kCannotUpgrade, false};
const Fields kNewerSystem{texts::kWindowsXp, L"", texts::kNotSupported, false};
const Fields kOtherSystem{L"", L"", L"", false};
const Fields kWrongServicePack{L"", L"", L"", true};
const Fields kDriverUnwritable{texts::kWindows2000Sp4, texts::kAta28Bit, texts::kCannotUpgrade,
                               true};
const Fields kNeedsUpgrade = NeedsUpgradeFields();
const Fields kUpgraded{texts::kWindows2000Sp4, texts::kAta48Bit, texts::kAlreadyUpgraded, false};

const DriverKey kPresent = DriverKey::kPresent;

const Row kRows[] = {
    // A: older systems, named, that cannot be upgraded.
    {"A win98", {"win98", Csd(0x400), kPresent, kAbsent}, kOlderSystem98Se, Poke::kClickAndCommand},
    {"A winme", {"winme", Csd(0x400), kPresent, kAbsent}, kOlderSystemMe, Poke::kClickAndCommand},
    {"A nt40", {"nt40", Csd(0x400), kPresent, kAbsent}, kOlderSystemNt4, Poke::kClickAndCommand},
    // B: newer systems, which the program does not support.
    {"B winxp", {"winxp", Csd(0x400), kPresent, kAbsent}, kNewerSystem, Poke::kClickAndCommand},
    {"B win2003", {"win2003", Csd(0x400), kPresent, kAbsent}, kNewerSystem, Poke::kClickAndCommand},
    // C: any other system.
    {"C win95", {"win95", Csd(0x400), kPresent, kAbsent}, kOtherSystem, Poke::kClickAndCommand},
    // D: Windows 2000 without exactly service pack 4.
    {"D win2k CSDVersion 0x300",
     {"win2k", Csd(0x300), kPresent, kAbsent},
     kWrongServicePack,
     Poke::kClick},
    {"D win2k CSDVersion 0x401",
     {"win2k", Csd(0x401), kPresent, kAbsent},
     kWrongServicePack,
     Poke::kClick},
    {"D win2k CSDVersion missing",
     {"win2k", CsdMissing(), kPresent, kAbsent},
     kWrongServicePack,
     Poke::kClick},
    {"D win2k CSDVersion REG_SZ \"Service Pack 4\"",
     {"win2k", CsdString("Service Pack 4"), kPresent, kAbsent},
     kWrongServicePack,
     Poke::kClick},
    {"D win2k CSDVersion REG_SZ \"4\"",
     {"win2k", CsdString("4"), kPresent, kAbsent},
     kWrongServicePack,
     Poke::kClick},
    // E: service pack 4, but the driver key cannot be written.
    {"E win2k SP4 driver key missing",
     {"win2k", Csd(0x400), DriverKey::kMissing, kAbsent},
     kDriverUnwritable,
     Poke::kClick},
    {"E win2k SP4 driver key denies writing",
     {"win2k", Csd(0x400), DriverKey::kDeniesWriting, kAbsent},
     kDriverUnwritable,
     Poke::kClick},
    {"E win2k SP4 driver key denies writing, value DWORD 0",
     {"win2k", Csd(0x400), DriverKey::kDeniesWriting, Dword(0)},
     kDriverUnwritable,
     Poke::kClick},
    // F: the value is absent or cannot be read.
    {"F win2k SP4 value absent",
     {"win2k", Csd(0x400), kPresent, kAbsent},
     kNeedsUpgrade,
     Poke::kNone},
    {"F win2k CSDVersion 0x10400 value absent",
     {"win2k", Csd(0x10400), kPresent, kAbsent},
     kNeedsUpgrade,
     Poke::kNone},
    {"F win2k SP4 value 8 bytes REG_BINARY",
     {"win2k", Csd(0x400), kPresent, Binary({1, 1, 1, 1, 1, 1, 1, 1})},
     kNeedsUpgrade,
     Poke::kNone},
    // G: the first byte of the value is not zero.
    {"G win2k SP4 value DWORD 1",
     {"win2k", Csd(0x400), kPresent, Dword(1)},
     kUpgraded,
     Poke::kClickAndCommand},
    {"G win2k SP4 value REG_SZ \"1\"",
     {"win2k", Csd(0x400), kPresent, String("1")},
     kUpgraded,
     Poke::kClickAndCommand},
    // H: the first byte of the value is zero.
    {"H win2k SP4 value DWORD 0",
     {"win2k", Csd(0x400), kPresent, Dword(0)},
     kNeedsUpgrade,
     Poke::kNone},
    {"H win2k SP4 value DWORD 256",
     {"win2k", Csd(0x400), kPresent, Dword(256)},
     kNeedsUpgrade,
     Poke::kNone},
};

}  // namespace

void RunRowScenarios(Selection selected) {
  for (const Row& row : kRows) {
    if (selected != nullptr && !selected(row.name)) continue;
    Scenario scenario(std::string("rows/") + row.name, row.state);
    if (!scenario.Open()) continue;
    scenario.ExpectFields("on start", row.fields);
    if (row.poke != Poke::kNone) {
      scenario.ExpectNoReaction(Click(kUpgradeButton, "升级"), row.fields);
    }
    if (row.poke == Poke::kClickAndCommand) {
      scenario.ExpectNoReaction(CommandFrom(kUpgradeButton, "升级"), row.fields);
    }
    scenario.Exit();
    scenario.ExpectRegistry({});
  }
}
