// The in-memory machine behind the host tests. It answers as Win32 does for
// the cases the program meets: a missing key or value, a refused access, data
// that does not fit the caller's buffer.
#include "FakeSystemServices.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr long kFileNotFound = 2;
constexpr long kAccessDenied = 5;
constexpr long kMoreData = 234;
constexpr uint32_t kKeyRead = 0x20019;  // anything beyond it asks for write access

std::string Hex(uint32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%X", value);
  return buffer;
}

std::string HandleName(const void* handle) {
  return "h" + std::to_string(reinterpret_cast<uintptr_t>(handle));
}

}  // namespace

std::string HexBytes(const uint8_t* data, size_t size) {
  std::string out;
  for (size_t i = 0; i < size; ++i) {
    char byte[4];
    std::snprintf(byte, sizeof byte, i == 0 ? "%02x" : " %02x", data[i]);
    out += byte;
  }
  return out;
}

void* FakeSystemServices::NewHandle(const std::string& path) {
  const uintptr_t handle = nextHandle_++;
  open_.insert(handle);
  keyPaths_[handle] = path;
  return reinterpret_cast<void*>(handle);
}

void FakeSystemServices::Close(void* handle, const char* call) {
  log_.push_back(std::string(call) + "(" + HandleName(handle) + ")");
  if (open_.erase(reinterpret_cast<uintptr_t>(handle)) == 0) ++badCloses_;
}

void FakeSystemServices::Install(const table::Machine& machine) {
  version.reset();
  if (!machine.version.queryFails) {
    version = VersionRecord{machine.version.platformId, machine.version.majorVersion,
                            machine.version.minorVersion, machine.version.buildNumber};
  }
  FakeKey& windows = keys[table::kWindowsKey];
  if (machine.csdVersion) windows.values[table::kCsdVersionValue] = *machine.csdVersion;
  using table::DriverKey;
  const DriverKey driverKey = machine.driverKey;
  if (driverKey == DriverKey::kAtapiMissing) return;
  keys[table::kAtapiKey].refusesFullAccess = driverKey == DriverKey::kAtapiDeniesWriting;
  if (driverKey == DriverKey::kMissing || driverKey == DriverKey::kAtapiDeniesWriting) return;
  FakeKey& driver = keys[table::kDriverKey];
  driver.refusesFullAccess = driverKey == DriverKey::kDeniesWriting;
  if (machine.parameter) driver.values[table::kParameterValue] = *machine.parameter;
}

std::optional<FakeValue> FakeSystemServices::Parameter() const {
  const auto key = keys.find(table::kDriverKey);
  if (key == keys.end()) return std::nullopt;
  const auto value = key->second.values.find(table::kParameterValue);
  if (value == key->second.values.end()) return std::nullopt;
  return value->second;
}

bool FakeSystemServices::GetVersionExA(VersionRecord& record) {
  log_.push_back("GetVersionExA()");
  if (!version) return false;
  record = *version;
  return true;
}

long FakeSystemServices::RegOpenKeyExA(const char* path, uint32_t access, KeyHandle& key) {
  std::string call = "RegOpenKeyExA(" + std::string(path) + ", " + Hex(access) + ")";
  long status = 0;
  const auto found = keys.find(path);
  if (found == keys.end()) {
    status = kFileNotFound;
  } else if ((access & ~kKeyRead) != 0 && found->second.refusesFullAccess) {
    status = kAccessDenied;
  } else {
    key = NewHandle(path);
    call += " -> " + HandleName(key);
  }
  log_.push_back(call + " = " + std::to_string(status));
  return status;
}

long FakeSystemServices::RegQueryValueExA(KeyHandle key, const char* name, uint32_t* type,
                                          uint8_t* data, uint32_t& size) {
  log_.push_back("RegQueryValueExA(" + HandleName(key) + ", " + name + ", " +
                 (type != nullptr ? "type" : "NULL") + ", [" + HexBytes(data, size) + "], " +
                 std::to_string(size) + ")");
  const FakeKey& fakeKey = keys.at(keyPaths_.at(reinterpret_cast<uintptr_t>(key)));
  const auto value = fakeKey.values.find(name);
  if (value == fakeKey.values.end()) return kFileNotFound;
  const uint32_t needed = static_cast<uint32_t>(value->second.data.size());
  if (needed > size) {
    // Win32 leaves the buffer's contents undefined here: scribble on it so
    // that a caller who reads it anyway is caught.
    std::memset(data, 0xCD, size);
    size = needed;
    return kMoreData;
  }
  std::memcpy(data, value->second.data.data(), needed);
  size = needed;
  if (type != nullptr) *type = value->second.type;
  return 0;
}

// Creating a key needs KEY_CREATE_SUB_KEY on the nearest key above it that
// exists; a DACL that denies writing denies that too.
bool FakeSystemServices::ParentRefusesSubkeys(std::string path) const {
  for (size_t slash; (slash = path.rfind('\\')) != std::string::npos;) {
    path.erase(slash);
    const auto parent = keys.find(path);
    if (parent != keys.end()) return parent->second.refusesFullAccess;
  }
  return false;
}

long FakeSystemServices::RegCreateKeyExA(const char* path, uint32_t access, KeyHandle& key) {
  std::string call = "RegCreateKeyExA(" + std::string(path) + ", " + Hex(access) + ")";
  long status = 0;
  const auto found = keys.find(path);
  const bool refused =
      found != keys.end() ? found->second.refusesFullAccess : ParentRefusesSubkeys(path);
  if (refused) {
    status = kAccessDenied;
  } else {
    keys[path];  // created when missing
    key = NewHandle(path);
    call += " -> " + HandleName(key);
  }
  log_.push_back(call + " = " + std::to_string(status));
  return status;
}

long FakeSystemServices::RegSetValueExA(KeyHandle key, const char* name, uint32_t type,
                                        const uint8_t* data, uint32_t size) {
  const long status = setValueFails ? kAccessDenied : 0;
  log_.push_back("RegSetValueExA(" + HandleName(key) + ", " + name + ", " + std::to_string(type) +
                 ", [" + HexBytes(data, size) + "], " + std::to_string(size) +
                 ") = " + std::to_string(status));
  if (status == 0) {
    keys.at(keyPaths_.at(reinterpret_cast<uintptr_t>(key))).values[name] =
        FakeValue{type, std::vector<uint8_t>(data, data + size)};
  }
  return status;
}

void FakeSystemServices::RegCloseKey(KeyHandle key) { Close(key, "RegCloseKey"); }

bool FakeSystemServices::OpenProcessToken(uint32_t access, TokenHandle& token) {
  std::string call = "OpenProcessToken(" + Hex(access) + ")";
  if (!openTokenFails) {
    token = NewHandle("token");
    call += " -> " + HandleName(token);
  }
  log_.push_back(call);
  return !openTokenFails;
}

bool FakeSystemServices::LookupPrivilegeValueA(const char* name, Luid& luid) {
  log_.push_back("LookupPrivilegeValueA(" + std::string(name) + ")");
  luid = {0x13, 0};  // the value Windows 2000 uses for the shutdown privilege
  return true;
}

bool FakeSystemServices::AdjustTokenPrivileges(TokenHandle token, const Luid& luid,
                                               uint32_t attributes) {
  log_.push_back("AdjustTokenPrivileges(" + HandleName(token) + ", " + Hex(luid.lowPart) + ", " +
                 std::to_string(attributes) + ")");
  return true;
}

void FakeSystemServices::CloseHandle(TokenHandle handle) { Close(handle, "CloseHandle"); }

bool FakeSystemServices::ExitWindowsEx(uint32_t flags, uint32_t reason) {
  log_.push_back("ExitWindowsEx(" + std::to_string(flags) + ", " + std::to_string(reason) + ")");
  return true;
}
