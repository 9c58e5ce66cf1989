// What every Windows test program checks about itself: it drives the
// product's code in its own process, so it must be the 32-bit build, as the
// shipped program is; and it must run under the ANSI code page its launcher
// chose, or its text checks would prove nothing about that code page.
#include <gtest/gtest.h>

#include "wine/Launcher.h"
#include "wine/ProcessImage.h"

TEST(TestProgram, RunsAsA32BitImage) { EXPECT_EQ(ThisImageMachine(), IMAGE_FILE_MACHINE_I386); }

TEST(TestProgram, RunsUnderTheLaunchersCodePage) { EXPECT_EQ(GetACP(), LaunchersCodePage()); }
