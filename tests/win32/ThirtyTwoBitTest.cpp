// Every Windows test program drives the product's code in its own process:
// it must be the 32-bit build, as the shipped program is.
#include <gtest/gtest.h>

#include "ProcessImage.h"

TEST(TestProgram, RunsAsA32BitImage) {
  EXPECT_EQ(ThisImageMachine(), IMAGE_FILE_MACHINE_I386);
}
