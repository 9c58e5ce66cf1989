// Straight Win32 registry calls, kept apart from the program's own services
// so that the tests check those against an independent reading.
#include "wine/TestRegistry.h"

#include <sddl.h>

#include <cstdio>

namespace testreg {

namespace {

class Key {
 public:
  Key() = default;
  ~Key() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

bool SetSecurity(HKEY root, const std::string& path, const char* sddl) {
  Key key;
  if (RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC | READ_CONTROL, key.out()) != ERROR_SUCCESS) {
    return false;
  }
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor,
                                                            nullptr)) {
    return false;
  }
  const LONG status = RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor);
  LocalFree(descriptor);
  return status == ERROR_SUCCESS;
}

std::string Hex(const std::vector<uint8_t>& data) {
  std::string out;
  for (uint8_t byte : data) {
    char text[4];
    std::snprintf(text, sizeof text, "%02x", byte);
    out += text;
  }
  return out;
}

void SnapshotInto(HKEY key, const std::string& path, Snapshot& snapshot) {
  snapshot[path] = "key";
  for (DWORD index = 0;; ++index) {
    char name[16384];
    DWORD nameSize = sizeof name;
    DWORD type = 0;
    std::vector<uint8_t> data(65536);
    DWORD dataSize = static_cast<DWORD>(data.size());
    if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data.data(), &dataSize) !=
        ERROR_SUCCESS) {
      break;
    }
    data.resize(dataSize);
    snapshot[path + "\\:" + name] = Notation({type, data});
  }
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD nameSize = sizeof name;
    if (RegEnumKeyExA(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    Key child;
    const std::string childPath = path + "\\" + name;
    if (RegOpenKeyExA(key, name, 0, KEY_READ, child.out()) == ERROR_SUCCESS) {
      SnapshotInto(child.get(), childPath, snapshot);
    } else {
      snapshot[childPath] = "unreadable key";
    }
  }
}

}  // namespace

std::string Notation(const StoredValue& value) {
  return std::to_string(value.type) + ":" + Hex(value.data);
}

bool SetValue(HKEY root, const std::string& path, const char* name, DWORD type,
              const std::vector<uint8_t>& data) {
  Key key;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                      nullptr, key.out(), nullptr) != ERROR_SUCCESS) {
    return false;
  }
  return RegSetValueExA(key.get(), name, 0, type, data.data(), static_cast<DWORD>(data.size())) ==
         ERROR_SUCCESS;
}

StoredValue Dword(DWORD value) {
  return {REG_DWORD,
          {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
           static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)}};
}

StoredValue String(const std::string& text) {
  std::vector<uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  return {REG_SZ, data};
}

bool SetDword(HKEY root, const std::string& path, const char* name, DWORD value) {
  return SetValue(root, path, name, REG_DWORD, Dword(value).data);
}

bool SetString(HKEY root, const std::string& path, const char* name, const std::string& value) {
  return SetValue(root, path, name, REG_SZ, String(value).data);
}

bool DeleteValue(HKEY root, const std::string& path, const char* name) {
  Key key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE, key.out()) != ERROR_SUCCESS) {
    return true;  // no key, no value
  }
  const LONG status = RegDeleteValueA(key.get(), name);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool DeleteTree(HKEY root, const std::string& path) {
  {
    Key key;
    const LONG status = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.out());
    if (status == ERROR_FILE_NOT_FOUND) return true;
    if (status != ERROR_SUCCESS) return false;
    char name[256];
    DWORD nameSize = sizeof name;
    while (RegEnumKeyExA(key.get(), 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS) {
      if (!DeleteTree(root, path + "\\" + name)) return false;
      nameSize = sizeof name;
    }
  }
  return RegDeleteKeyA(root, path.c_str()) == ERROR_SUCCESS;
}

bool DenyWriting(HKEY root, const std::string& path) {
  return SetSecurity(root, path, "D:(D;;KW;;;WD)(A;;KA;;;WD)");
}

bool AllowWriting(HKEY root, const std::string& path) {
  return SetSecurity(root, path, "D:(A;;KA;;;WD)");
}

bool ReadValue(HKEY root, const std::string& path, const char* name, StoredValue& value) {
  Key key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, key.out()) != ERROR_SUCCESS) {
    return false;
  }
  std::vector<uint8_t> data(4096);
  DWORD size = static_cast<DWORD>(data.size());
  DWORD type = 0;
  if (RegQueryValueExA(key.get(), name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) {
    return false;
  }
  data.resize(size);
  value = {type, data};
  return true;
}

Snapshot TakeSnapshot(HKEY root, const std::string& path) {
  Snapshot snapshot;
  Key key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.out()) == ERROR_SUCCESS) {
    SnapshotInto(key.get(), path, snapshot);
  }
  return snapshot;
}

std::vector<std::string> Differences(const Snapshot& before, const Snapshot& after) {
  std::vector<std::string> lines;
  for (const auto& [name, value] : before) {
    const auto found = after.find(name);
    if (found == after.end()) {
      lines.push_back("removed " + name);
    } else if (found->second != value) {
      lines.push_back("changed " + name + " = " + found->second);
    }
  }
  for (const auto& [name, value] : after) {
    if (before.count(name) == 0) lines.push_back("added " + name + " = " + value);
  }
  return lines;
}

}  // namespace testreg
