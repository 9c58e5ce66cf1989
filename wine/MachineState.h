// The machine states the machine model (Machine.h) can put a Wine prefix
// into, and the registry they live in: the vocabulary of the test table
// (tests/common/ProgramTable.h), whose rows are such states. Nothing here
// needs windows.h, so the native build can use it too.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace table {

// --- The registry, all under HKEY_LOCAL_MACHINE ------------------------

inline constexpr char kControlSet[] = "System\\CurrentControlSet";
inline constexpr char kServicesKey[] = "System\\CurrentControlSet\\Services";
inline constexpr char kWindowsKey[] = "System\\CurrentControlSet\\Control\\Windows";
inline constexpr char kCsdVersionValue[] = "CSDVersion";
inline constexpr char kAtapiKey[] = "System\\CurrentControlSet\\Services\\Atapi";
inline constexpr char kDriverKey[] = "System\\CurrentControlSet\\Services\\Atapi\\Parameters";
inline constexpr char kParameterValue[] = "Quorvane";
inline constexpr char kShutdownPrivilege[] = "SeShutdownPrivilege";

// --- Machine states ----------------------------------------------------

// Registry value types, as Win32 numbers them.
inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegBinary = 3;
inline constexpr uint32_t kRegDword = 4;

struct Value {
  uint32_t type;
  std::vector<uint8_t> data;
  bool operator==(const Value& other) const { return type == other.type && data == other.data; }
};

inline Value Dword(uint32_t value) {
  return {kRegDword,
          {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
           static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)}};
}
// With its terminating zero, as Windows stores it.
inline Value String(const std::string& text) {
  Value value{kRegSz, std::vector<uint8_t>(text.begin(), text.end())};
  value.data.push_back(0);
  return value;
}
inline Value Binary(std::vector<uint8_t> bytes) { return {kRegBinary, std::move(bytes)}; }

// What the platform's version query reports. wineProfile names the Wine
// version profile that reports the same; null where Wine has none (the
// first Windows 98, a failed query), so only the unit tests meet it.
struct Version {
  const char* wineProfile;
  bool queryFails;
  uint32_t platformId;
  uint32_t majorVersion;
  uint32_t minorVersion;
  uint32_t buildNumber;
};

inline constexpr Version kWin95{"win95", false, 1, 4, 0, 950};
inline constexpr Version kWin98{nullptr, false, 1, 4, 10, 1998};
inline constexpr Version kWin98Se{"win98", false, 1, 4, 10, 2222};
inline constexpr Version kWinMe{"winme", false, 1, 4, 90, 3000};
inline constexpr Version kWinNt4{"nt40", false, 2, 4, 0, 1381};
inline constexpr Version kWin2000{"win2k", false, 2, 5, 0, 2195};
inline constexpr Version kWinXp{"winxp", false, 2, 5, 1, 2600};
inline constexpr Version kWin2003{"win2003", false, 2, 5, 2, 3790};
inline constexpr Version kQueryFails{nullptr, true, 0, 0, 0, 0};

// The driver key (Atapi\Parameters) and the driver's service key (Atapi)
// above it. A key that denies writing still lets everyone read it.
enum class DriverKey {
  kPresent,
  kMissing,             // the service key is there and may be written
  kDeniesWriting,       // the driver key denies writing
  kAtapiMissing,        // no service key either: there is no ATAPI driver
  kAtapiDeniesWriting,  // the driver key missing, the service key denies writing
};

struct Machine {
  Version version = kWin2000;
  std::optional<Value> csdVersion = Dword(0x400);  // none: the value is missing
  DriverKey driverKey = DriverKey::kPresent;
  std::optional<Value> parameter;  // the driver's value; none: absent
};

}  // namespace table
