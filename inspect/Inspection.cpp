// Decides the three field texts, the upgrade state and the upgrade button.
#include "inspect/Inspection.h"

#include "inspect/DialogOperations.h"
#include "inspect/ScopedHandles.h"
#include "inspect/TextFormat.h"
#include "inspect/Texts.h"
#include "inspect/WinConstants.h"
#include "inspect/WindowsVersion.h"
#include "res/resource.h"

namespace {

constexpr uint32_t kServicePack4 = 0x0400;  // major 4 in the high byte, minor 0

void AddWrite(InspectionResult& result, int controlId, const char* text) {
  FieldWrite& write = result.fieldWrites[result.fieldWriteCount++];
  write.controlId = controlId;
  CopyText(write.text, sizeof write.text, text);
}

const char* OlderSystemName(WindowsVersion os) {
  switch (os) {
    case OS_WIN98:
      return text::kWindows98;
    case OS_WIN98SE:
      return text::kWindows98SE;
    case OS_WINME:
      return text::kWindowsMe;
    case OS_WINNT4:
      return text::kWindowsNt4;
    default:
      return nullptr;
  }
}

// CSDVersion's low word holds the service pack, major number in the high byte.
// False when the key or the value cannot be read.
bool ReadServicePack(SystemServices& services, uint32_t& servicePack) {
  ScopedKey key(services);
  if (!key.Open(reg::kWindowsKey, win::kKeyQueryValue)) return false;
  uint8_t data[4] = {0, 0, 0, 0};
  uint32_t size = sizeof data;
  if (services.RegQueryValueExA(key.get(), reg::kCsdVersionValue, nullptr, data, size) !=
      win::kErrorSuccess) {
    return false;
  }
  servicePack = static_cast<uint32_t>(data[0] | (data[1] << 8));
  return true;
}

// Whether the upgrade could create the missing driver key: the service key
// is there and lets this user add a key below it. Opening it writes nothing.
bool MayCreateDriverKey(SystemServices& services) {
  ScopedKey serviceKey(services);
  return serviceKey.Open(reg::kAtapiKey, win::kKeyCreateSubKey);
}

void InspectOtherSystem(WindowsVersion os, InspectionResult& result) {
  result.state = STATE_UNSUPPORTED;
  result.button = BUTTON_DISABLED;
  result.buttonBeforeFields = true;
  if (const char* name = OlderSystemName(os)) {
    AddWrite(result, IDC_OS_NAME, name);
    AddWrite(result, IDC_UPGRADE_STATUS, text::kCannotUpgrade);
    AddWrite(result, IDC_ATA_MODE, text::kAta28Bit);
  } else if (os == OS_WINXP) {
    AddWrite(result, IDC_OS_NAME, text::kWindowsXp);
    AddWrite(result, IDC_UPGRADE_STATUS, text::kNotSupported);
  }
}

void SetOutcome(InspectionResult& result, const char* status, const char* ataMode,
                UpgradeState state, ButtonSetting button) {
  AddWrite(result, IDC_UPGRADE_STATUS, status);
  AddWrite(result, IDC_ATA_MODE, ataMode);
  result.state = state;
  result.button = button;
}

}  // namespace

InspectionResult InspectUpgradeStatus(SystemServices& services) {
  // Rows D and E leave the button enabled; STATE_UNSUPPORTED makes a click on
  // it do nothing rather than act on a state nobody decided.
  InspectionResult result{};
  result.state = STATE_UNSUPPORTED;
  result.button = BUTTON_UNCHANGED;

  const WindowsVersion os = ClassifyWindowsVersion(services);
  if (os != OS_WIN2000) {
    InspectOtherSystem(os, result);
    return result;
  }

  uint32_t servicePack = 0;
  if (!ReadServicePack(services, servicePack) || servicePack != kServicePack4) {
    return result;  // all three fields stay empty
  }
  AddWrite(result, IDC_OS_NAME, text::kWindows2000Sp4);

  // Full access, although this step only reads: a user who could not write
  // the value later is told now that the system cannot be upgraded.
  ScopedKey driverKey(services);
  const long driverKeyStatus = driverKey.TryOpen(reg::kAtapiParametersKey, win::kKeyAllAccess);
  if (driverKeyStatus == win::kErrorFileNotFound && MayCreateDriverKey(services)) {
    // Only the driver key is missing, which the upgrade creates: the value is
    // as absent as in a key without it.
    SetOutcome(result, text::kUpgradeNeeded, text::kAta28Bit, STATE_VALUE_ABSENT, BUTTON_ENABLED);
    return result;
  }
  if (driverKeyStatus != win::kErrorSuccess) {
    char osName[sizeof(FieldWrite::text)];
    FormatDecimal(osName, sizeof osName, text::kWindows2000SpFormat,
                  static_cast<int>(servicePack >> 8));
    AddWrite(result, IDC_OS_NAME, osName);
    AddWrite(result, IDC_UPGRADE_STATUS, text::kCannotUpgrade);
    AddWrite(result, IDC_ATA_MODE, text::kAta28Bit);
    return result;
  }

  // Data longer than the buffer makes the query fail, so an 8-byte binary
  // value counts as not readable. The type is asked for but not examined.
  uint8_t data[4] = {0, 0, 0, 0};
  uint32_t size = sizeof data;
  uint32_t type = 0;
  if (services.RegQueryValueExA(driverKey.get(), reg::kParameterValue, &type, data, size) !=
      win::kErrorSuccess) {
    SetOutcome(result, text::kUpgradeNeeded, text::kAta28Bit, STATE_VALUE_ABSENT, BUTTON_ENABLED);
  } else if (data[0] != 0) {
    SetOutcome(result, text::kAlreadyUpgraded, text::kAta48Bit, STATE_UPGRADED, BUTTON_DISABLED);
  } else {
    SetOutcome(result, text::kUpgradeNeeded, text::kAta28Bit, STATE_VALUE_ZERO, BUTTON_ENABLED);
  }
  return result;
}

void ApplyInspection(const InspectionResult& result, DialogOperations& dialog) {
  const bool setsButton = result.button != BUTTON_UNCHANGED;
  if (setsButton && result.buttonBeforeFields) {
    dialog.EnableUpgradeButton(result.button == BUTTON_ENABLED);
  }
  for (int i = 0; i < result.fieldWriteCount; ++i) {
    dialog.SetFieldText(result.fieldWrites[i].controlId, result.fieldWrites[i].text);
  }
  if (setsButton && !result.buttonBeforeFields) {
    dialog.EnableUpgradeButton(result.button == BUTTON_ENABLED);
  }
}
