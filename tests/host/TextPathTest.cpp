// The choice between the wide and the ANSI window functions, by platform and
// by whether code page 936 converts.
#include <gtest/gtest.h>

#include "ui/TextPath.h"

namespace {

struct TextPathCase {
  unsigned long platformId;
  bool cp936Converts;
  TextPath expected;
};

TEST(ChooseTextPath, WideOnlyOnWindowsNtThatConverts936) {
  const TextPathCase kCases[] = {
      {2, true, TEXT_PATH_WIDE},   // NT 4, 2000, XP with East Asian support
      {2, false, TEXT_PATH_ANSI},  // 2000 without it: as before
      {1, true, TEXT_PATH_ANSI},   // 95, 98, ME: the wide functions are stubs
      {1, false, TEXT_PATH_ANSI},  // 95, 98, ME without it
      {0, true, TEXT_PATH_ANSI},   // Win32s
      {3, true, TEXT_PATH_ANSI},   // CE, or anything unknown
  };
  for (const TextPathCase& c : kCases) {
    EXPECT_EQ(ChooseTextPath(c.platformId, c.cp936Converts), c.expected)
        << c.platformId << " " << c.cp936Converts;
  }
}

}  // namespace
