// The system services over the real Win32 API.
#pragma once

#include "inspect/SystemServices.h"

class Win32SystemServices final : public SystemServices {
 public:
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
};
