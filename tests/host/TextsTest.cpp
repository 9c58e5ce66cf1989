// The program's texts are code page 936 bytes that read as the intended
// Chinese, and the registry names are exactly the driver's.
#include <gtest/gtest.h>

#include <cstring>

#include "Cp936.h"
#include "inspect/Texts.h"
#include "tests/common/ProgramTable.h"

namespace {

struct TextCase {
  const char* stored;
  const char* expectedUtf8;
};

// The program's texts against the test table's.
const TextCase kTexts[] = {
    {text::kWindows98, table::kWindows98},
    {text::kWindows98SE, table::kWindows98Se},
    {text::kWindowsMe, table::kWindowsMe},
    {text::kWindowsNt4, table::kWindowsNt4},
    {text::kWindowsXp, table::kWindowsXp},
    {text::kWindows2000Sp4, table::kWindows2000Sp4},
    {text::kWindows2000SpFormat, table::kWindows2000SpFormat},
    {text::kAta28Bit, table::kAta28Bit},
    {text::kAta48Bit, table::kAta48Bit},
    {text::kUpgradeNeeded, table::kUpgradeNeeded},
    {text::kAlreadyUpgraded, table::kAlreadyUpgraded},
    {text::kCannotUpgrade, table::kCannotUpgrade},
    {text::kNotSupported, table::kNotSupported},
    {text::kUpgradeFailed, table::kUpgradeFailed},
    {text::kUpgradeSucceeded, table::kUpgradeSucceeded},
    {text::kRestartQuestion, table::kRestartQuestion},
    {text::kRestartCaption, table::kRestartCaption},
    {reg::kWindowsKey, table::kWindowsKey},
    {reg::kCsdVersionValue, table::kCsdVersionValue},
    {reg::kAtapiKey, table::kAtapiKey},
    {reg::kAtapiParametersKey, table::kDriverKey},
    {reg::kParameterValue, table::kParameterValue},
    {reg::kShutdownPrivilege, table::kShutdownPrivilege},
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
