// Registry keys and tokens that close themselves through the system services
// when they leave scope, whichever path the caller takes.
#pragma once

#include "inspect/SystemServices.h"
#include "inspect/WinConstants.h"

class ScopedKey {
 public:
  explicit ScopedKey(SystemServices& services) : services_(services) {}
  ~ScopedKey() {
    if (key_ != nullptr) services_.RegCloseKey(key_);
  }
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;

  bool Open(const char* path, uint32_t access) {
    return TryOpen(path, access) == win::kErrorSuccess;
  }
  // The Win32 status, for callers that tell a missing key from a refused one.
  long TryOpen(const char* path, uint32_t access) {
    KeyHandle opened = nullptr;
    const long status = services_.RegOpenKeyExA(path, access, opened);
    if (status == win::kErrorSuccess) key_ = opened;
    return status;
  }
  bool Create(const char* path, uint32_t access) {
    KeyHandle created = nullptr;
    if (services_.RegCreateKeyExA(path, access, created) != win::kErrorSuccess) return false;
    key_ = created;
    return true;
  }
  KeyHandle get() const { return key_; }

 private:
  SystemServices& services_;
  KeyHandle key_ = nullptr;
};

class ScopedToken {
 public:
  explicit ScopedToken(SystemServices& services) : services_(services) {}
  ~ScopedToken() {
    if (token_ != nullptr) services_.CloseHandle(token_);
  }
  ScopedToken(const ScopedToken&) = delete;
  ScopedToken& operator=(const ScopedToken&) = delete;

  bool OpenForProcess(uint32_t access) {
    TokenHandle opened = nullptr;
    if (!services_.OpenProcessToken(access, opened)) return false;
    token_ = opened;
    return true;
  }
  TokenHandle get() const { return token_; }

 private:
  SystemServices& services_;
  TokenHandle token_ = nullptr;
};
