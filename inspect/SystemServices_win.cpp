// Each service is one Win32 call; nothing is added, retried or logged.
#include "inspect/SystemServices_win.h"

#include <windows.h>

#include "inspect/WinConstants.h"

static_assert(win::kErrorSuccess == ERROR_SUCCESS);
static_assert(win::kErrorFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(win::kPlatformWin32Windows == VER_PLATFORM_WIN32_WINDOWS);
static_assert(win::kPlatformWin32Nt == VER_PLATFORM_WIN32_NT);
static_assert(win::kKeyQueryValue == KEY_QUERY_VALUE);
static_assert(win::kKeyCreateSubKey == KEY_CREATE_SUB_KEY);
static_assert(win::kKeyAllAccess == KEY_ALL_ACCESS);
static_assert(win::kRegDword == REG_DWORD);
static_assert(win::kTokenQuery == TOKEN_QUERY);
static_assert(win::kTokenAdjustPrivileges == TOKEN_ADJUST_PRIVILEGES);
static_assert(win::kSePrivilegeEnabled == SE_PRIVILEGE_ENABLED);
static_assert(win::kEwxReboot == EWX_REBOOT);
static_assert(win::kMbOk == MB_OK && win::kMbYesNo == MB_YESNO);
static_assert(win::kMbIconQuestion == MB_ICONQUESTION && win::kIdYes == IDYES);
// The record without the service-pack extension: every Windows from 95 on
// accepts this size.
static_assert(sizeof(OSVERSIONINFOA) == 148);

bool Win32SystemServices::GetVersionExA(VersionRecord& record) {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!::GetVersionExA(&info)) return false;
  record = {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
  return true;
}

// On failure the Reg* functions leave the output key undefined; it is copied
// out only on success.
long Win32SystemServices::RegOpenKeyExA(const char* path, uint32_t access, KeyHandle& key) {
  HKEY opened = nullptr;
  const LONG status = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, access, &opened);
  if (status == ERROR_SUCCESS) key = opened;
  return status;
}

long Win32SystemServices::RegQueryValueExA(KeyHandle key, const char* name, uint32_t* type,
                                           uint8_t* data, uint32_t& size) {
  DWORD valueType = 0;
  DWORD dataSize = size;
  const LONG status = ::RegQueryValueExA(static_cast<HKEY>(key), name, nullptr,
                                         type != nullptr ? &valueType : nullptr, data, &dataSize);
  if (type != nullptr) *type = valueType;
  size = dataSize;
  return status;
}

long Win32SystemServices::RegCreateKeyExA(const char* path, uint32_t access, KeyHandle& key) {
  HKEY created = nullptr;
  DWORD disposition = 0;  // created or opened: either will do
  const LONG status =
      ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                        nullptr, &created, &disposition);
  if (status == ERROR_SUCCESS) key = created;
  return status;
}

long Win32SystemServices::RegSetValueExA(KeyHandle key, const char* name, uint32_t type,
                                         const uint8_t* data, uint32_t size) {
  return ::RegSetValueExA(static_cast<HKEY>(key), name, 0, type, data, size);
}

void Win32SystemServices::RegCloseKey(KeyHandle key) { ::RegCloseKey(static_cast<HKEY>(key)); }

bool Win32SystemServices::OpenProcessToken(uint32_t access, TokenHandle& token) {
  HANDLE opened = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), access, &opened)) return false;
  token = opened;
  return true;
}

bool Win32SystemServices::LookupPrivilegeValueA(const char* name, Luid& luid) {
  LUID value{};
  if (!::LookupPrivilegeValueA(nullptr, name, &value)) return false;
  luid = {value.LowPart, value.HighPart};
  return true;
}

bool Win32SystemServices::AdjustTokenPrivileges(TokenHandle token, const Luid& luid,
                                                uint32_t attributes) {
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Luid.LowPart = luid.lowPart;
  privileges.Privileges[0].Luid.HighPart = luid.highPart;
  privileges.Privileges[0].Attributes = attributes;
  // Without a previous-state buffer the buffer length plays no part.
  return ::AdjustTokenPrivileges(static_cast<HANDLE>(token), FALSE, &privileges, 0, nullptr,
                                 nullptr) != FALSE;
}

void Win32SystemServices::CloseHandle(TokenHandle handle) {
  ::CloseHandle(static_cast<HANDLE>(handle));
}

bool Win32SystemServices::ExitWindowsEx(uint32_t flags, uint32_t reason) {
  return ::ExitWindowsEx(flags, reason) != FALSE;
}
