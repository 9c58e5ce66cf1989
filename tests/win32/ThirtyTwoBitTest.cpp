// What every Windows test program checks about itself: it drives the
// product's code in its own process, so it must be the 32-bit build, as the
// shipped program is; and it must run under the ANSI code page its launcher
// chose, or its text checks would prove nothing about that code page.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "ProcessImage.h"

TEST(TestProgram, RunsAsA32BitImage) { EXPECT_EQ(ThisImageMachine(), IMAGE_FILE_MACHINE_I386); }

TEST(TestProgram, RunsUnderTheLaunchersCodePage) {
  // cmake/wine-run.sh: zh_CN (936) unless QUORVANE_WINE_LOCALE names
  // en_US (1252).
  const char* locale = std::getenv("QUORVANE_WINE_LOCALE");
  const bool western = locale != nullptr && std::strncmp(locale, "en_US", 5) == 0;
  EXPECT_EQ(GetACP(), western ? 1252u : 936u);
}
