// Registry set-up for dialog tests in the test prefix.
#include "MachineState.h"

namespace machine {

const char kWindowsKey[] = "System\\CurrentControlSet\\Control\\Windows";
const char kDriverKey[] = "System\\CurrentControlSet\\Services\\Atapi\\Parameters";

bool Prepare(const State& state) {
  Clean();
  bool ok = state.csdVersion
                ? testreg::SetDword(HKEY_LOCAL_MACHINE, kWindowsKey, "CSDVersion", *state.csdVersion)
                : testreg::DeleteValue(HKEY_LOCAL_MACHINE, kWindowsKey, "CSDVersion");
  if (state.driverKey == DriverKey::kMissing) return ok;
  if (state.parameter) {
    ok = ok && testreg::SetValue(HKEY_LOCAL_MACHINE, kDriverKey, "Quorvane", state.parameter->type,
                                 state.parameter->data);
  } else {
    ok = ok && testreg::SetValue(HKEY_LOCAL_MACHINE, kDriverKey, "Other", REG_DWORD, {0, 0, 0, 0}) &&
         testreg::DeleteValue(HKEY_LOCAL_MACHINE, kDriverKey, "Other");
  }
  if (state.driverKey == DriverKey::kDeniesWriting) {
    ok = ok && testreg::DenyWriting(HKEY_LOCAL_MACHINE, kDriverKey);
  }
  return ok;
}

void Clean() {
  testreg::AllowWriting(HKEY_LOCAL_MACHINE, kDriverKey);
  testreg::DeleteTree(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\Atapi");
}

}  // namespace machine
