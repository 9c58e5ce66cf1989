// Every narrow literal in this file is stored as code page 936 bytes, the
// ANSI code page of a Simplified Chinese Windows.
#include "inspect/Texts.h"

namespace text {

const char kWindows98[] = "Windows 98";
const char kWindows98SE[] = "Windows 98 SE";
const char kWindowsMe[] = "Windows ME";
const char kWindowsNt4[] = "Windows NT 4";
const char kWindowsXp[] = "Windows XP";
const char kWindows2000Sp4[] = "Windows 2000 SP4";
const char kWindows2000SpFormat[] = "Windows 2000 SP%d";

const char kAta28Bit[] = "28位ATA规范";
const char kAta48Bit[] = "48位ATA规范";
const char kUpgradeNeeded[] = "需要升级";
const char kAlreadyUpgraded[] = "已经升级";
const char kCannotUpgrade[] = "不能升级";
const char kNotSupported[] = "本程序不支持";

const char kUpgradeFailed[] = "升级没用成功！";
const char kUpgradeSucceeded[] = "升级成功";
const char kRestartQuestion[] = "升级成功！必须重启才能有效！是否重启？";
const char kRestartCaption[] = "确认提示";

}  // namespace text

namespace reg {

const char kWindowsKey[] = "System\\CurrentControlSet\\Control\\Windows";
const char kCsdVersionValue[] = "CSDVersion";
const char kAtapiKey[] = "System\\CurrentControlSet\\Services\\Atapi";
const char kAtapiParametersKey[] = "System\\CurrentControlSet\\Services\\Atapi\\Parameters";
const char kParameterValue[] = "Quorvane";
const char kShutdownPrivilege[] = "SeShutdownPrivilege";

}  // namespace reg
