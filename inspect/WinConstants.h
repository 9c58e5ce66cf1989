// The Win32 numbers that the portable logic passes to the system services.
// Repeated here so that the portable code needs no windows.h;
// SystemServices_win.cpp checks every one against the real headers.
#pragma once

#include <cstdint>

namespace win {

constexpr long kErrorSuccess = 0;
constexpr long kErrorFileNotFound = 2;  // ERROR_FILE_NOT_FOUND

constexpr uint32_t kPlatformWin32Windows = 1;  // VER_PLATFORM_WIN32_WINDOWS: 95, 98, ME
constexpr uint32_t kPlatformWin32Nt = 2;       // VER_PLATFORM_WIN32_NT

constexpr uint32_t kKeyQueryValue = 0x0001;    // KEY_QUERY_VALUE
constexpr uint32_t kKeyCreateSubKey = 0x0004;  // KEY_CREATE_SUB_KEY
constexpr uint32_t kKeyAllAccess = 0xF003F;    // KEY_ALL_ACCESS
constexpr uint32_t kRegDword = 4;              // REG_DWORD

constexpr uint32_t kTokenQuery = 0x0008;             // TOKEN_QUERY
constexpr uint32_t kTokenAdjustPrivileges = 0x0020;  // TOKEN_ADJUST_PRIVILEGES
constexpr uint32_t kSePrivilegeEnabled = 2;          // SE_PRIVILEGE_ENABLED
constexpr uint32_t kEwxReboot = 2;                   // EWX_REBOOT

constexpr unsigned kMbOk = 0x00;            // MB_OK
constexpr unsigned kMbYesNo = 0x04;         // MB_YESNO
constexpr unsigned kMbIconQuestion = 0x20;  // MB_ICONQUESTION
constexpr int kIdYes = 6;                   // IDYES

}  // namespace win
