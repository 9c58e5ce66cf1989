// The test table's UTF-8 texts as the UTF-16 that windows hold.
#pragma once

#include <windows.h>

#include <string>

inline std::wstring Utf16(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring out(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, &out[0], length);
  return out;
}
