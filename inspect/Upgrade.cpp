// Writes the driver parameter and offers the restart that makes it count.
#include "inspect/Upgrade.h"

#include "inspect/DialogOperations.h"
#include "inspect/ScopedHandles.h"
#include "inspect/Texts.h"
#include "inspect/WinConstants.h"
#include "res/resource.h"

namespace {

// REG_DWORD 1, little-endian.
constexpr uint8_t kParameterOn[4] = {1, 0, 0, 0};

bool WriteParameter(SystemServices& services, KeyHandle key) {
  return services.RegSetValueExA(key, reg::kParameterValue, win::kRegDword, kParameterOn,
                                 sizeof kParameterOn) == win::kErrorSuccess;
}

void ReportSuccessAndOfferRestart(SystemServices& services, DialogOperations& dialog) {
  dialog.SetFieldText(IDC_UPGRADE_STATUS, text::kUpgradeSucceeded);
  dialog.SetFieldText(IDC_ATA_MODE, text::kAta48Bit);
  const int answer = dialog.AskMessageBox(text::kRestartQuestion, text::kRestartCaption,
                                          win::kMbYesNo | win::kMbIconQuestion);
  // Windows 2000 refuses a restart from a process whose shutdown privilege is
  // not enabled, so every path enables it.
  if (answer == win::kIdYes) RequestReboot(services, true);
}

}  // namespace

void PerformUpgrade(UpgradeState state, SystemServices& services, DialogOperations& dialog) {
  ScopedKey key(services);
  switch (state) {
    case STATE_VALUE_ABSENT:
      if (!key.Create(reg::kAtapiParametersKey, win::kKeyAllAccess)) {
        dialog.AppMessageBox(text::kUpgradeFailed);
        return;
      }
      break;
    case STATE_VALUE_ZERO:
      if (!key.Open(reg::kAtapiParametersKey, win::kKeyAllAccess)) return;  // no message
      break;
    default:
      return;  // upgraded already, or nothing this program may change
  }

  if (!WriteParameter(services, key.get())) {
    dialog.AppMessageBox(text::kUpgradeFailed);
    return;
  }
  ReportSuccessAndOfferRestart(services, dialog);
}

void RequestReboot(SystemServices& services, bool enablePrivilege) {
  ScopedToken token(services);
  if (enablePrivilege && token.OpenForProcess(win::kTokenAdjustPrivileges | win::kTokenQuery)) {
    Luid shutdown{};
    services.LookupPrivilegeValueA(reg::kShutdownPrivilege, shutdown);
    services.AdjustTokenPrivileges(token.get(), shutdown, win::kSePrivilegeEnabled);
  }
  services.ExitWindowsEx(win::kEwxReboot, 0);
}
