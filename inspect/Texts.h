// The program's own texts, as ANSI code page 936 bytes (Texts.cpp is compiled
// with -fexec-charset=CP936), and the registry locations it reads and writes.
#pragma once

namespace text {

extern const char kWindows98[];
extern const char kWindows98SE[];
extern const char kWindowsMe[];
extern const char kWindowsNt4[];
extern const char kWindowsXp[];
extern const char kWindows2000Sp4[];
extern const char kWindows2000SpFormat[];  // "%d": the service-pack major number

extern const char kAta28Bit[];
extern const char kAta48Bit[];
extern const char kUpgradeNeeded[];
extern const char kAlreadyUpgraded[];
extern const char kCannotUpgrade[];
extern const char kNotSupported[];

extern const char kUpgradeFailed[];
extern const char kUpgradeSucceeded[];
extern const char kRestartQuestion[];
extern const char kRestartCaption[];

}  // namespace text

namespace reg {

extern const char kWindowsKey[];  // under HKEY_LOCAL_MACHINE
extern const char kCsdVersionValue[];
extern const char kAtapiKey[];            // the driver's service key
extern const char kAtapiParametersKey[];  // its parameters, below it
extern const char kParameterValue[];
extern const char kShutdownPrivilege[];

}  // namespace reg
