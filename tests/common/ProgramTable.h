// What Quorvane shows and decides, written down once for every level of
// tests: its texts, the registry it reads and writes, the outcome of the
// status inspection for each machine state, and the upgrade's paths.
// The unit tests run the table against an in-memory machine, the dialog
// tests and the end-to-end suite against the real program under Wine.
//
// Texts are UTF-8 here (this file is UTF-8 and its literals are u8); the
// program holds them as code page 936 bytes, and its resources as UTF-16.
// Nothing here needs windows.h, so the native build can use it too.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "inspect/UpgradeState.h"
#include "wine/MachineState.h"

namespace table {

// u8 literals are char in C++17, whatever the execution character set.
using Text = const char*;

// --- The program's texts -----------------------------------------------

// The main dialog's template.
inline constexpr char kCaption[] = u8"Quorvane";
inline constexpr char kUpgradeButton[] = u8"升级";
inline constexpr char kExitButton[] = u8"退出";
// Its styles, WS_EX_APPWINDOW the extended one, its controls' (windres adds
// none of its own to these), and the OS field's WS_EX_TRANSPARENT.
inline constexpr uint32_t kDialogStyle = 0x90C800C0;
inline constexpr uint32_t kDialogExStyle = 0x00040000;
inline constexpr uint32_t kUpgradeButtonStyle = 0x50010001;
inline constexpr uint32_t kExitButtonStyle = 0x50010000;
inline constexpr uint32_t kFieldStyle = 0x50021000;
inline constexpr uint32_t kOsFieldExStyle = 0x20;

// The fields.
inline constexpr char kWindows98[] = u8"Windows 98";
inline constexpr char kWindows98Se[] = u8"Windows 98 SE";
inline constexpr char kWindowsMe[] = u8"Windows ME";
inline constexpr char kWindowsNt4[] = u8"Windows NT 4";
inline constexpr char kWindowsXp[] = u8"Windows XP";
inline constexpr char kWindows2000Sp4[] = u8"Windows 2000 SP4";
inline constexpr char kWindows2000SpFormat[] = u8"Windows 2000 SP%d";
inline constexpr char kAta28Bit[] = u8"28位ATA规范";
inline constexpr char kAta48Bit[] = u8"48位ATA规范";
inline constexpr char kUpgradeNeeded[] = u8"需要升级";
inline constexpr char kAlreadyUpgraded[] = u8"已经升级";
inline constexpr char kCannotUpgrade[] = u8"不能升级";
inline constexpr char kNotSupported[] = u8"本程序不支持";
inline constexpr char kUpgradeSucceeded[] = u8"升级成功";

// The message boxes of the upgrade. The failure box has no caption of its
// own: it shows the executable's name without ".exe".
inline constexpr char kUpgradeFailed[] = u8"升级没用成功！";
inline constexpr char kRestartQuestion[] = u8"升级成功！必须重启才能有效！是否重启？";
inline constexpr char kRestartCaption[] = u8"确认提示";

// The About box and its system-menu item.
inline constexpr char kAboutMenuItem[] = u8"关于 Quorvane(&A)...";
inline constexpr char kAboutCaption[] = u8"关于 Quorvane";
inline constexpr char kAboutVersion[] = u8"Quorvane 1.0 版";
inline constexpr char kAboutOk[] = u8"确定";
inline constexpr char kAboutPurpose[] = u8"增强Windows2000+SP4识别硬盘能力";

// --- The status inspection ---------------------------------------------

// The dialog after the inspection: the three fields and the upgrade button.
struct Fields {
  std::string os;
  std::string ata;
  std::string status;
  bool upgradeEnabled;
};

struct Row {
  char letter;       // the outcome, A to H
  const char* name;  // the machine state, for the test's name
  Machine machine;
  Fields fields;
  UpgradeState state;  // rows D and E leave the button enabled but offer nothing
};

inline Machine WithVersion(const Version& version) {
  Machine machine;
  machine.version = version;
  return machine;
}
inline Machine WithCsdVersion(std::optional<Value> csdVersion) {
  Machine machine;
  machine.csdVersion = std::move(csdVersion);
  return machine;
}
inline Machine WithDriverKey(DriverKey driverKey, std::optional<Value> parameter) {
  Machine machine;
  machine.driverKey = driverKey;
  machine.parameter = std::move(parameter);
  return machine;
}
inline Machine WithParameter(std::optional<Value> parameter, uint32_t csdVersion = 0x400) {
  Machine machine;
  machine.csdVersion = Dword(csdVersion);
  machine.parameter = std::move(parameter);
  return machine;
}

// Every row of the inspection with its edge cases.
inline const std::vector<Row>& Rows() {
  const Fields olderSystem{"", kAta28Bit, kCannotUpgrade, false};
  const auto older = [&olderSystem](const char* os) {
    Fields fields = olderSystem;
    fields.os = os;
    return fields;
  };
  const Fields newerSystem{kWindowsXp, "", kNotSupported, false};
  const Fields otherSystem{"", "", "", false};
  const Fields wrongServicePack{"", "", "", true};
  const Fields driverUnwritable{kWindows2000Sp4, kAta28Bit, kCannotUpgrade, true};
  const Fields needsUpgrade{kWindows2000Sp4, kAta28Bit, kUpgradeNeeded, true};
  const Fields upgraded{kWindows2000Sp4, kAta48Bit, kAlreadyUpgraded, false};
  const std::nullopt_t absent = std::nullopt;
  static const std::vector<Row> rows = {
      // A: older systems, named, that cannot be upgraded.
      {'A', "Windows 98", WithVersion(kWin98), older(kWindows98), STATE_UNSUPPORTED},
      {'A', "Windows 98 SE", WithVersion(kWin98Se), older(kWindows98Se), STATE_UNSUPPORTED},
      {'A', "Windows ME", WithVersion(kWinMe), older(kWindowsMe), STATE_UNSUPPORTED},
      {'A', "Windows NT 4", WithVersion(kWinNt4), older(kWindowsNt4), STATE_UNSUPPORTED},
      // B: newer systems, which the program does not support.
      {'B', "Windows XP", WithVersion(kWinXp), newerSystem, STATE_UNSUPPORTED},
      {'B', "Windows 2003", WithVersion(kWin2003), newerSystem, STATE_UNSUPPORTED},
      // C: any other system.
      {'C', "Windows 95", WithVersion(kWin95), otherSystem, STATE_UNSUPPORTED},
      {'C', "version query fails", WithVersion(kQueryFails), otherSystem, STATE_UNSUPPORTED},
      // D: Windows 2000 without exactly service pack 4.
      {'D', "CSDVersion 0x300", WithCsdVersion(Dword(0x300)), wrongServicePack, STATE_UNSUPPORTED},
      {'D', "CSDVersion 0x401", WithCsdVersion(Dword(0x401)), wrongServicePack, STATE_UNSUPPORTED},
      {'D', "CSDVersion 0", WithCsdVersion(Dword(0)), wrongServicePack, STATE_UNSUPPORTED},
      {'D', "CSDVersion missing", WithCsdVersion(absent), wrongServicePack, STATE_UNSUPPORTED},
      {'D', "CSDVersion 8 bytes REG_BINARY", WithCsdVersion(Binary(std::vector<uint8_t>(8, 0))),
       wrongServicePack, STATE_UNSUPPORTED},
      {'D', "CSDVersion REG_SZ \"Service Pack 4\"", WithCsdVersion(String("Service Pack 4")),
       wrongServicePack, STATE_UNSUPPORTED},
      {'D', "CSDVersion REG_SZ \"4\"", WithCsdVersion(String("4")), wrongServicePack,
       STATE_UNSUPPORTED},
      // E: service pack 4, but the driver key does not open with full access,
      // and the upgrade could not create it either.
      {'E', "Atapi key missing", WithDriverKey(DriverKey::kAtapiMissing, absent), driverUnwritable,
       STATE_UNSUPPORTED},
      {'E', "driver key missing, Atapi key denies writing",
       WithDriverKey(DriverKey::kAtapiDeniesWriting, absent), driverUnwritable, STATE_UNSUPPORTED},
      {'E', "driver key denies writing", WithDriverKey(DriverKey::kDeniesWriting, absent),
       driverUnwritable, STATE_UNSUPPORTED},
      {'E', "driver key denies writing, value DWORD 0",
       WithDriverKey(DriverKey::kDeniesWriting, Dword(0)), driverUnwritable, STATE_UNSUPPORTED},
      {'E', "driver key denies writing, value DWORD 1",
       WithDriverKey(DriverKey::kDeniesWriting, Dword(1)), driverUnwritable, STATE_UNSUPPORTED},
      // F: the value is absent or cannot be read; the upgrade creates the
      // driver key where only it is missing.
      {'F', "value absent", WithParameter(absent), needsUpgrade, STATE_VALUE_ABSENT},
      {'F', "driver key missing", WithDriverKey(DriverKey::kMissing, absent), needsUpgrade,
       STATE_VALUE_ABSENT},
      {'F', "CSDVersion 0x10400, value absent", WithParameter(absent, 0x10400), needsUpgrade,
       STATE_VALUE_ABSENT},
      {'F', "value 8 bytes REG_BINARY", WithParameter(Binary({1, 1, 1, 1, 1, 1, 1, 1})),
       needsUpgrade, STATE_VALUE_ABSENT},
      // G: the first byte of the value is not zero.
      {'G', "value DWORD 1", WithParameter(Dword(1)), upgraded, STATE_UPGRADED},
      {'G', "value REG_SZ \"1\"", WithParameter(String("1")), upgraded, STATE_UPGRADED},
      // H: the first byte of the value is zero.
      {'H', "value DWORD 0", WithParameter(Dword(0)), needsUpgrade, STATE_VALUE_ZERO},
      {'H', "value DWORD 256", WithParameter(Dword(256)), needsUpgrade, STATE_VALUE_ZERO},
      {'H', "CSDVersion 0x10400, value DWORD 0", WithParameter(Dword(0), 0x10400), needsUpgrade,
       STATE_VALUE_ZERO},
  };
  return rows;
}

// The fields of the first row with `letter`; a letter with no row is the
// test's own mistake, and its fields match nothing the program shows.
inline const Fields& FieldsOfRow(char letter) {
  for (const Row& row : Rows()) {
    if (row.letter == letter) return row.fields;
  }
  static const Fields none{"no such row", "", "", false};
  return none;
}

// "F value 8 bytes REG_BINARY": a row's name in test output.
inline std::string RowName(const Row& row) { return std::string(1, row.letter) + " " + row.name; }

// How GoogleTest prints a row that a test takes as its parameter.
inline void PrintTo(const Row& row, std::ostream* out) { *out << RowName(row); }

// A name as a test's name: letters, digits and single underscores.
inline std::string Identifier(const std::string& name) {
  std::string out;
  for (char c : name) {
    const bool word = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (word) {
      out += c;
    } else if (!out.empty() && out.back() != '_') {
      out += '_';
    }
  }
  while (!out.empty() && out.back() == '_') out.pop_back();
  return out;
}

// --- The upgrade -------------------------------------------------------

// Between the inspection and the click, the registry changes under the
// dialog. kRefuseValue: the key is created or opened, then writing the value
// is refused. No registry state that a test can prepare makes a handle just
// opened with full access refuse a value, so a fake machine (unit tests) or a
// patched import (dialog tests) brings it about; the end-to-end suite, which
// drives the shipped program from another process, cannot (PathsFromOutside).
enum class Interference { kNone, kDenyWriting, kRemoveKeys, kRefuseValue };

// What each click on 升级 brings.
enum class Reaction { kQuestion, kFailureBox, kNothing };

// The fields right after a successful upgrade: the button stays enabled.
inline Fields UpgradedNow() { return {kWindows2000Sp4, kAta48Bit, kUpgradeSucceeded, true}; }

// What the upgrade leaves where the inspection found nothing to stop it
// (rows F and H), the restart question answered No.
struct UpgradePath {
  const char* name;
  std::optional<Value> parameter;  // on Windows 2000 SP4
  Interference interference;
  int clicks;
  Reaction reaction;
  // The driver's value afterwards; none: absent. Unused where the keys were
  // removed and nothing recreated them (the value then is absent).
  std::optional<Value> valueAfter;
  DriverKey driverKey = DriverKey::kPresent;
};

// The machine of a path, before the dialog opens.
inline Machine MachineOf(const UpgradePath& path) {
  return WithDriverKey(path.driverKey, path.parameter);
}

inline void PrintTo(const UpgradePath& path, std::ostream* out) { *out << path.name; }

// The value every successful upgrade writes.
inline Value WrittenValue() { return Dword(1); }

inline const std::vector<UpgradePath>& UpgradePaths() {
  const std::nullopt_t absent = std::nullopt;
  static const std::vector<UpgradePath> paths = {
      {"F value absent", absent, Interference::kNone, 1, Reaction::kQuestion, WrittenValue()},
      {"F value absent, a second click asks again", absent, Interference::kNone, 2,
       Reaction::kQuestion, WrittenValue()},
      {"F value 8 bytes REG_BINARY", Binary({1, 1, 1, 1, 1, 1, 1, 1}), Interference::kNone, 1,
       Reaction::kQuestion, WrittenValue()},
      {"F driver key missing: created", absent, Interference::kNone, 1, Reaction::kQuestion,
       WrittenValue(), DriverKey::kMissing},
      // Created, not opened: the key is back with the value.
      {"F driver key removed after the inspection: created again", absent,
       Interference::kRemoveKeys, 1, Reaction::kQuestion, WrittenValue()},
      {"F creation refused: the failure box, twice", absent, Interference::kDenyWriting, 2,
       Reaction::kFailureBox, absent},
      // The key the click created stays, empty.
      {"F driver key missing: created, the value refused: the failure box", absent,
       Interference::kRefuseValue, 1, Reaction::kFailureBox, absent, DriverKey::kMissing},
      {"H value DWORD 0", Dword(0), Interference::kNone, 1, Reaction::kQuestion, WrittenValue()},
      {"H value DWORD 256", Dword(256), Interference::kNone, 1, Reaction::kQuestion,
       WrittenValue()},
      {"H value empty REG_SZ", String(""), Interference::kNone, 1, Reaction::kQuestion,
       WrittenValue()},
      {"H value DWORD 0, a second click asks again", Dword(0), Interference::kNone, 2,
       Reaction::kQuestion, WrittenValue()},
      {"H opening refused: nothing shown, twice", Dword(0), Interference::kDenyWriting, 2,
       Reaction::kNothing, Dword(0)},
      // Opened, not created: the removal stands.
      {"H driver key removed after the inspection: nothing shown, nothing created", Dword(0),
       Interference::kRemoveKeys, 1, Reaction::kNothing, absent},
  };
  return paths;
}

// The paths that another process can bring about.
inline std::vector<UpgradePath> PathsFromOutside() {
  std::vector<UpgradePath> paths;
  for (const UpgradePath& path : UpgradePaths()) {
    if (path.interference != Interference::kRefuseValue) paths.push_back(path);
  }
  return paths;
}

}  // namespace table
