// A machine in memory: a version record, a registry under HKEY_LOCAL_MACHINE
// and a process token. Every call is written to a shared log, with its
// arguments and result, so that tests can assert what was called in order.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "inspect/SystemServices.h"
#include "tests/common/ProgramTable.h"

using CallLog = std::vector<std::string>;

using FakeValue = table::Value;

struct FakeKey {
  bool refusesFullAccess = false;  // a DACL that denies writing
  std::map<std::string, FakeValue> values;
};

class FakeSystemServices final : public SystemServices {
 public:
  explicit FakeSystemServices(CallLog& log) : log_(log) {}

  // The machine. A missing version makes GetVersionExA fail.
  std::optional<VersionRecord> version;
  std::map<std::string, FakeKey> keys;
  bool setValueFails = false;
  bool openTokenFails = false;

  // Puts the machine in the state the test table describes.
  void Install(const table::Machine& machine);
  // The driver's value; none when it or its key is missing.
  std::optional<FakeValue> Parameter() const;

  // Handles opened and not yet closed, and closes of handles not open.
  const std::set<uintptr_t>& openHandles() const { return open_; }
  int badCloses() const { return badCloses_; }

  bool GetVersionExA(VersionRecord& record) override;
  long RegOpenKeyExA(const char* path, uint32_t access, KeyHandle& key) override;
  long RegQueryValueExA(KeyHandle key, const char* name, uint32_t* type, uint8_t* data,
                        uint32_t& size) override;
  long RegCreateKeyExA(const char* path, uint32_t access, KeyHandle& key) override;
  long RegSetValueExA(KeyHandle key, const char* name, uint32_t type, const uint8_t* data,
                      uint32_t size) override;
  void RegCloseKey(KeyHandle key) override;
  bool OpenProcessToken(uint32_t access, TokenHandle& token) override;
  bool LookupPrivilegeValueA(const char* name, Luid& luid) override;
  bool AdjustTokenPrivileges(TokenHandle token, const Luid& luid, uint32_t attributes) override;
  void CloseHandle(TokenHandle handle) override;
  bool ExitWindowsEx(uint32_t flags, uint32_t reason) override;

 private:
  bool ParentRefusesSubkeys(std::string path) const;
  void* NewHandle(const std::string& path);
  void Close(void* handle, const char* call);

  CallLog& log_;
  uintptr_t nextHandle_ = 1;
  std::set<uintptr_t> open_;
  std::map<uintptr_t, std::string> keyPaths_;
  int badCloses_ = 0;
};

// Formats bytes as "01 00 00 00".
std::string HexBytes(const uint8_t* data, size_t size);
