// The expected texts, in UTF-16. This file is UTF-8; wide literals do not
// depend on any code page.
#include "Texts.h"

namespace texts {

const wchar_t kCaption[] = L"Quorvane";
const wchar_t kUpgradeButton[] = L"升级";
const wchar_t kExitButton[] = L"退出";

const wchar_t kWindows98Se[] = L"Windows 98 SE";
const wchar_t kWindowsMe[] = L"Windows ME";
const wchar_t kWindowsNt4[] = L"Windows NT 4";
const wchar_t kWindowsXp[] = L"Windows XP";
const wchar_t kWindows2000Sp4[] = L"Windows 2000 SP4";

const wchar_t kAta28Bit[] = L"28位ATA规范";
const wchar_t kAta48Bit[] = L"48位ATA规范";
const wchar_t kUpgradeNeeded[] = L"需要升级";
const wchar_t kAlreadyUpgraded[] = L"已经升级";
const wchar_t kCannotUpgrade[] = L"不能升级";
const wchar_t kNotSupported[] = L"本程序不支持";
const wchar_t kUpgradeSucceeded[] = L"升级成功";

const wchar_t kRestartCaption[] = L"确认提示";
const wchar_t kRestartQuestion[] = L"升级成功！必须重启才能有效！是否重启？";
const wchar_t kFailureCaption[] = L"Quorvane";
const wchar_t kUpgradeFailed[] = L"升级没用成功！";

}  // namespace texts
