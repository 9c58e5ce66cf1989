// Registry set-up of a Wine prefix, state by state.
#include "wine/Machine.h"

namespace machine {

const char kSongFaceReplacement[] = "AR PL SungtiL GB";

namespace {

std::string ProgramDefaults(const std::string& exe) {
  return "Software\\Wine\\AppDefaults\\" + exe;
}
std::string X11Defaults(const std::string& exe) { return ProgramDefaults(exe) + "\\X11 Driver"; }

bool CreateKey(const char* path) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

bool SetServicePack(const std::optional<table::Value>& csdVersion) {
  if (!csdVersion) {
    return testreg::DeleteValue(HKEY_LOCAL_MACHINE, table::kWindowsKey, table::kCsdVersionValue);
  }
  return testreg::SetValue(HKEY_LOCAL_MACHINE, table::kWindowsKey, table::kCsdVersionValue,
                           csdVersion->type, csdVersion->data);
}

bool HasString(const std::string& path, const char* name, const char* expected) {
  testreg::StoredValue value;
  return testreg::ReadValue(HKEY_CURRENT_USER, path, name, value) &&
         value == testreg::String(expected);
}

std::wstring Wide(const char* utf8) {
  wchar_t out[256] = L"";
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, out, 256);
  return out;
}

}  // namespace

bool SetVersionProfile(const std::string& exe, const char* profile) {
  return testreg::SetString(HKEY_CURRENT_USER, ProgramDefaults(exe), "Version", profile);
}

bool LetWineFrameWindows(const std::string& exe) {
  // The program's own section: other programs in the prefix keep the default.
  return testreg::SetString(HKEY_CURRENT_USER, X11Defaults(exe), "Managed", "N");
}

bool LetWindowManagerFrameWindows(const std::string& exe) {
  return testreg::SetString(HKEY_CURRENT_USER, X11Defaults(exe), "Managed", "Y");
}

bool HasSettings(const std::string& exe, const char* profile) {
  return HasString(ProgramDefaults(exe), "Version", profile) &&
         HasString(X11Defaults(exe), "Managed", "N");
}

bool ForgetSettings(const std::string& exe) {
  return testreg::DeleteTree(HKEY_CURRENT_USER, ProgramDefaults(exe));
}

bool ReplaceSongFace(const char* replacement) {
  // Through the wide functions: the face's name is Chinese, whatever the
  // code page of the process.
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\Fonts\\Replacements", 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const std::wstring face = Wide(u8"宋体");
  const std::wstring data = Wide(replacement);
  const LONG status =
      RegSetValueExW(key, face.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                     static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

bool Prepare(const table::Machine& state, const std::string& exe, std::string& failedStep) {
  const auto step = [&failedStep](bool done, const char* name) {
    if (!done && failedStep.empty()) failedStep = name;
    return done;
  };
  failedStep.clear();
  if (state.version.wineProfile != nullptr &&
      !step(SetVersionProfile(exe, state.version.wineProfile), "set the version profile")) {
    return false;
  }
  if (!step(SetServicePack(state.csdVersion), "set CSDVersion") ||
      !step(RemoveDriverKeys(), "remove the driver key")) {
    return false;
  }
  using table::DriverKey;
  switch (state.driverKey) {
    case DriverKey::kAtapiMissing:
      return true;
    case DriverKey::kMissing:
    case DriverKey::kAtapiDeniesWriting:
      return step(CreateKey(table::kAtapiKey), "create the Atapi key");
    case DriverKey::kPresent:
    case DriverKey::kDeniesWriting:
      break;
  }
  if (!step(CreateKey(table::kDriverKey), "create the driver key")) return false;
  if (state.parameter &&
      !step(testreg::SetValue(HKEY_LOCAL_MACHINE, table::kDriverKey, table::kParameterValue,
                              state.parameter->type, state.parameter->data),
            "set the driver value")) {
    return false;
  }
  return true;
}

bool ApplyWriteDenial(const table::Machine& state) {
  switch (state.driverKey) {
    case table::DriverKey::kDeniesWriting:
      return testreg::DenyWriting(HKEY_LOCAL_MACHINE, table::kDriverKey);
    case table::DriverKey::kAtapiDeniesWriting:
      return testreg::DenyWriting(HKEY_LOCAL_MACHINE, table::kAtapiKey);
    default:
      return true;
  }
}

bool Enter(const table::Machine& state, const std::string& exe) {
  std::string failedStep;
  return Prepare(state, exe, failedStep) && ApplyWriteDenial(state);
}

void LiftWriteDenial() {
  // Each fails harmlessly where the key is missing.
  testreg::AllowWriting(HKEY_LOCAL_MACHINE, table::kAtapiKey);
  testreg::AllowWriting(HKEY_LOCAL_MACHINE, table::kDriverKey);
}

bool RemoveDriverKeys() {
  LiftWriteDenial();
  return testreg::DeleteTree(HKEY_LOCAL_MACHINE, table::kAtapiKey);
}

testreg::StoredValue Stored(const table::Value& value) { return {value.type, value.data}; }

bool ReadParameter(testreg::StoredValue& value) {
  return testreg::ReadValue(HKEY_LOCAL_MACHINE, table::kDriverKey, table::kParameterValue, value);
}

std::string ParameterEntry() {
  return std::string(table::kDriverKey) + "\\:" + table::kParameterValue;
}

}  // namespace machine
