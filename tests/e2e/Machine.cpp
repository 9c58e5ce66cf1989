// Registry set-up of the e2e prefix, scenario by scenario. Wine reads the
// version profile of an executable when it starts, so the profile is set
// before each start of the program.
#include "Machine.h"

#include <cstdio>

namespace machine {

const char kControlSet[] = "System\\CurrentControlSet";
const char kWindowsKey[] = "System\\CurrentControlSet\\Control\\Windows";
const char kAtapiKey[] = "System\\CurrentControlSet\\Services\\Atapi";
const char kDriverKey[] = "System\\CurrentControlSet\\Services\\Atapi\\Parameters";
const char kParameter[] = "Quorvane";

namespace {

const char kProgramDefaults[] = "Software\\Wine\\AppDefaults\\Quorvane.exe";

bool CreateKey(const char* path) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

bool SetServicePack(const ServicePack& csd) {
  switch (csd.kind) {
    case ServicePack::Kind::kDword:
      return testreg::SetDword(HKEY_LOCAL_MACHINE, kWindowsKey, "CSDVersion", csd.dword);
    case ServicePack::Kind::kString:
      return testreg::SetString(HKEY_LOCAL_MACHINE, kWindowsKey, "CSDVersion", csd.text);
    case ServicePack::Kind::kMissing:
      return testreg::DeleteValue(HKEY_LOCAL_MACHINE, kWindowsKey, "CSDVersion");
  }
  return false;
}

}  // namespace

ServicePack Csd(DWORD value) { return {ServicePack::Kind::kDword, value, nullptr}; }
ServicePack CsdMissing() { return {ServicePack::Kind::kMissing, 0, nullptr}; }
ServicePack CsdString(const char* text) { return {ServicePack::Kind::kString, 0, text}; }

testreg::StoredValue Binary(const std::vector<uint8_t>& bytes) { return {REG_BINARY, bytes}; }

bool Prepare(const State& state, std::string& failedStep) {
  const auto step = [&failedStep](bool done, const char* name) {
    if (!done && failedStep.empty()) failedStep = name;
    return done;
  };
  failedStep.clear();
  if (!step(testreg::SetString(HKEY_CURRENT_USER, kProgramDefaults, "Version", state.profile),
            "set the version profile") ||
      !step(SetServicePack(state.csd), "set CSDVersion") ||
      !step(RemoveDriverKeys(), "remove the driver key")) {
    return false;
  }
  if (state.driverKey == DriverKey::kMissing) return true;
  if (!step(CreateKey(kDriverKey), "create the driver key")) return false;
  if (state.parameter && !step(testreg::SetValue(HKEY_LOCAL_MACHINE, kDriverKey, kParameter,
                                                 state.parameter->type, state.parameter->data),
                               "set the driver value")) {
    return false;
  }
  return true;
}

bool ApplyWriteDenial(const State& state) {
  return state.driverKey != DriverKey::kDeniesWriting ||
         testreg::DenyWriting(HKEY_LOCAL_MACHINE, kDriverKey);
}

void LiftWriteDenial() {
  testreg::AllowWriting(HKEY_LOCAL_MACHINE, kDriverKey);  // fails harmlessly without the key
}

bool RemoveDriverKeys() {
  LiftWriteDenial();
  return testreg::DeleteTree(HKEY_LOCAL_MACHINE, kAtapiKey);
}

std::string ParameterEntry() { return std::string(kDriverKey) + "\\:" + kParameter; }

std::string Notation(const testreg::StoredValue& value) {
  std::string out = std::to_string(value.type) + ":";
  for (uint8_t byte : value.data) {
    char text[4];
    std::snprintf(text, sizeof text, "%02x", byte);
    out += text;
  }
  return out;
}

}  // namespace machine
