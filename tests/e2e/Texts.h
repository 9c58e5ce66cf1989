// What the program shows, written down independently of its sources: the
// texts of its dialog and message boxes as a person reads them (UTF-16), on
// every ANSI code page alike.
#pragma once

#include <windows.h>


namespace texts {

extern const wchar_t kCaption[];
extern const wchar_t kUpgradeButton[];
extern const wchar_t kExitButton[];

extern const wchar_t kWindows98Se[];
extern const wchar_t kWindowsMe[];
extern const wchar_t kWindowsNt4[];
extern const wchar_t kWindowsXp[];
extern const wchar_t kWindows2000Sp4[];

extern const wchar_t kAta28Bit[];
extern const wchar_t kAta48Bit[];
extern const wchar_t kUpgradeNeeded[];
extern const wchar_t kAlreadyUpgraded[];
extern const wchar_t kCannotUpgrade[];
extern const wchar_t kNotSupported[];
extern const wchar_t kUpgradeSucceeded[];

extern const wchar_t kRestartCaption[];
extern const wchar_t kRestartQuestion[];
extern const wchar_t kFailureCaption[];  // the executable's name without ".exe"
extern const wchar_t kUpgradeFailed[];

}  // namespace texts
