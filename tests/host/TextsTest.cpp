// The program's texts are code page 936 bytes that read as the intended
// Chinese, and the registry names are exactly the driver's.
#include <gtest/gtest.h>

#include <cstring>

#include "Cp936.h"
#include "inspect/Texts.h"

namespace {

struct TextCase {
  const char* stored;
  const char* expectedUtf8;
};

const TextCase kTexts[] = {
    {text::kWindows98, "Windows 98"},
    {text::kWindows98SE, "Windows 98 SE"},
    {text::kWindowsMe, "Windows ME"},
    {text::kWindowsNt4, "Windows NT 4"},
    {text::kWindowsXp, "Windows XP"},
    {text::kWindows2000Sp4, "Windows 2000 SP4"},
    {text::kWindows2000SpFormat, "Windows 2000 SP%d"},
    {text::kAta28Bit, "28位ATA规范"},
    {text::kAta48Bit, "48位ATA规范"},
    {text::kUpgradeNeeded, "需要升级"},
    {text::kAlreadyUpgraded, "已经升级"},
    {text::kCannotUpgrade, "不能升级"},
    {text::kNotSupported, "本程序不支持"},
    {text::kUpgradeFailed, "升级没用成功！"},
    {text::kUpgradeSucceeded, "升级成功"},
    {text::kRestartQuestion, "升级成功！必须重启才能有效！是否重启？"},
    {text::kRestartCaption, "确认提示"},
    {reg::kWindowsKey, "System\\CurrentControlSet\\Control\\Windows"},
    {reg::kCsdVersionValue, "CSDVersion"},
    {reg::kAtapiParametersKey, "System\\CurrentControlSet\\Services\\Atapi\\Parameters"},
    {reg::kParameterValue, "Quorvane"},
    {reg::kShutdownPrivilege, "SeShutdownPrivilege"},
};

TEST(Texts, DecodeFromCodePage936AsIntended) {
  for (const TextCase& c : kTexts) EXPECT_EQ(Utf8FromCp936(c.stored), c.expectedUtf8);
}

TEST(Texts, ChineseTextsAreNotStoredAsUtf8) {
  // In UTF-8 each of these characters takes three bytes, in code page 936 two.
  EXPECT_EQ(std::strlen(text::kAta28Bit), 11u);
  const unsigned char expected[] = {0x32, 0x38, 0xce, 0xbb, 0x41, 0x54,
                                    0x41, 0xb9, 0xe6, 0xb7, 0xb6, 0x00};
  EXPECT_EQ(std::memcmp(text::kAta28Bit, expected, sizeof expected), 0);
}

}  // namespace
