// The minimised dialog's icon position: (client - icon + 1) / 2, with
// signed division that truncates toward zero.
#include <gtest/gtest.h>

#include "ui/IconPosition.h"

namespace {

struct OffsetCase {
  int client;
  int icon;
  int expected;
};

TEST(CentredIconOffset, OddEvenAndNegativeDifferences) {
  const OffsetCase kCases[] = {
      {160, 32, 64},  // even difference 128: (129) / 2
      {161, 32, 65},  // odd difference 129: 130 / 2
      {32, 32, 0},    // no room to spare
      {31, 32, 0},    // -1 + 1 = 0
      {30, 32, 0},    // -2 + 1 = -1, truncated toward zero, not down to -1
      {28, 32, -1},   // -4 + 1 = -3 -> -1
      {0, 32, -15},   // -31 / 2
  };
  for (const OffsetCase& c : kCases) {
    EXPECT_EQ(CentredIconOffset(c.client, c.icon), c.expected) << c.client << " " << c.icon;
  }
}

}  // namespace
