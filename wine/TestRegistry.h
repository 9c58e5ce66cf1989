// Registry set-up and inspection for the Windows tests: values of any type,
// keys that refuse writing, and snapshots of whole trees to compare.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace testreg {

// Each returns false when Win32 refuses.
bool SetValue(HKEY root, const std::string& path, const char* name, DWORD type,
              const std::vector<uint8_t>& data);
bool SetDword(HKEY root, const std::string& path, const char* name, DWORD value);
bool SetString(HKEY root, const std::string& path, const char* name, const std::string& value);
bool DeleteValue(HKEY root, const std::string& path, const char* name);
bool DeleteTree(HKEY root, const std::string& path);  // true also when it was missing

// A DACL that denies everyone every write to the key but still lets them read
// it, and the one that lifts it again.
bool DenyWriting(HKEY root, const std::string& path);
bool AllowWriting(HKEY root, const std::string& path);

struct StoredValue {
  DWORD type;
  std::vector<uint8_t> data;
  bool operator==(const StoredValue& other) const {
    return type == other.type && data == other.data;
  }
};
// The data of a REG_DWORD (little-endian) and of a REG_SZ (with its
// terminating zero), as Windows stores them.
StoredValue Dword(DWORD value);
StoredValue String(const std::string& text);

// "4:01000000": the type and the data in hex, as a snapshot holds a value.
std::string Notation(const StoredValue& value);

// false when the key or value is missing
bool ReadValue(HKEY root, const std::string& path, const char* name, StoredValue& value);

// Every key and value below path, by "key\\path" and "key\\path\\:value".
using Snapshot = std::map<std::string, std::string>;
Snapshot TakeSnapshot(HKEY root, const std::string& path);
// One line for each entry added, removed or changed.
std::vector<std::string> Differences(const Snapshot& before, const Snapshot& after);

}  // namespace testreg
