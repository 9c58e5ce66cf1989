// Bounded copying and "%d" formatting: exact results, cut texts that stay
// terminated, and no byte written past the buffer (ASan watches).
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "inspect/TextFormat.h"

namespace {

struct FormatCase {
  const char* format;
  int value;
  size_t size;
  const char* expected;
};

TEST(FormatDecimal, ReplacesTheFirstPercentD) {
  const FormatCase kCases[] = {
      {"Service Pack %d", 4, 32, "Service Pack 4"},
      {"Service Pack %d", 255, 32, "Service Pack 255"},
      {"SP%d", 0, 32, "SP0"},
      {"%d", -17, 32, "-17"},
      {"%d", INT_MIN, 32, "-2147483648"},
      {"%d and %d", 1, 32, "1 and %d"},
      {"no number", 9, 32, "no number"},
      {"100%", 9, 32, "100%"},
      {"Service Pack %d", 4, 10, "Service P"},  // cut to fit, terminated
      {"SP%d", 12345, 5, "SP12"},
      {"%d", 7, 1, ""},
      // "\x81\x64" is one character whose trail byte has the value of 'd';
      // the "%d" after it is the format.
      {"\x81\x64%d", 3, 32,
       "\x81\x64"
       "3"},
      // A lead byte always takes the next byte with it: this '%' is no format.
      {"\x81%d", 3, 32, "\x81%d"},
  };
  for (const FormatCase& c : kCases) {
    std::vector<char> out(c.size);
    FormatDecimal(out.data(), out.size(), c.format, c.value);
    EXPECT_EQ(std::string(out.data()), c.expected) << c.format << " " << c.value;
  }
}

TEST(CopyText, CopiesOrCutsAndAlwaysTerminates) {
  char out[6];
  CopyText(out, sizeof out, "short");
  EXPECT_STREQ(out, "short");
  CopyText(out, sizeof out, "much longer");
  EXPECT_STREQ(out, "much ");
  CopyText(out, 1, "x");
  EXPECT_STREQ(out, "");
  CopyText(out, 0, "x");  // nothing to write into, nothing written
}

}  // namespace
