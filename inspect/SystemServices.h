// The few Win32 calls through which the inspection and the upgrade read and
// change the machine. One implementation calls Win32 (SystemServices_win.cpp);
// the tests substitute a recording fake.
#pragma once

#include <cstdint>

using KeyHandle = void*;    // an open registry key (HKEY)
using TokenHandle = void*;  // an open access token (HANDLE)

// The fields of OSVERSIONINFOA that the classification reads.
struct VersionRecord {
  uint32_t platformId;
  uint32_t majorVersion;
  uint32_t minorVersion;
  uint32_t buildNumber;
};

struct Luid {
  uint32_t lowPart;
  int32_t highPart;
};

// Each registry call returns the Win32 status, 0 for success. Every key path
// is under HKEY_LOCAL_MACHINE. An output handle is written only on success.
class SystemServices {
 public:
  virtual ~SystemServices() = default;

  // GetVersionExA with the 148-byte record; false when the call fails.
  virtual bool GetVersionExA(VersionRecord& record) = 0;

  virtual long RegOpenKeyExA(const char* path, uint32_t access, KeyHandle& key) = 0;
  // type may be null (no type requested). size is the buffer size on entry,
  // the size of the data on return.
  virtual long RegQueryValueExA(KeyHandle key, const char* name, uint32_t* type, uint8_t* data,
                                uint32_t& size) = 0;
  // No class, REG_OPTION_NON_VOLATILE, no security attributes; creates the key
  // when it is missing.
  virtual long RegCreateKeyExA(const char* path, uint32_t access, KeyHandle& key) = 0;
  virtual long RegSetValueExA(KeyHandle key, const char* name, uint32_t type, const uint8_t* data,
                              uint32_t size) = 0;
  virtual void RegCloseKey(KeyHandle key) = 0;

  // The token of GetCurrentProcess().
  virtual bool OpenProcessToken(uint32_t access, TokenHandle& token) = 0;
  // LookupPrivilegeValueA on the local system.
  virtual bool LookupPrivilegeValueA(const char* name, Luid& luid) = 0;
  // One privilege, no disabling of all, no previous state.
  virtual bool AdjustTokenPrivileges(TokenHandle token, const Luid& luid, uint32_t attributes) = 0;
  virtual void CloseHandle(TokenHandle handle) = 0;
  virtual bool ExitWindowsEx(uint32_t flags, uint32_t reason) = 0;
};
