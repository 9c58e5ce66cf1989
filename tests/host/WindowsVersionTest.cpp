// The classification of every version record the program may meet.
#include <gtest/gtest.h>

#include "FakeSystemServices.h"
#include "inspect/WindowsVersion.h"

namespace {

struct VersionCase {
  const char* what;
  VersionRecord record;
  WindowsVersion expected;
};

// build numbers on the 95/98/ME line carry the version in their high word
constexpr uint32_t Win9xBuild(uint32_t major, uint32_t minor, uint32_t low) {
  return (major << 24) | (minor << 16) | low;
}

const VersionCase kCases[] = {
    {"98", {1, 4, 10, 1998}, OS_WIN98},
    {"98, version in the build's high word", {1, 4, 10, Win9xBuild(4, 10, 1998)}, OS_WIN98},
    {"98 SE", {1, 4, 10, 2222}, OS_WIN98SE},
    {"98 SE, version in the build's high word", {1, 4, 10, Win9xBuild(4, 10, 2222)}, OS_WIN98SE},
    {"ME", {1, 4, 90, 3000}, OS_WINME},
    {"ME, version in the build's high word", {1, 4, 90, Win9xBuild(4, 90, 3000)}, OS_WINME},
    {"95", {1, 4, 0, 950}, OS_OTHER},
    {"4.10 with an unknown build", {1, 4, 10, 2000}, OS_OTHER},
    {"4.90 with an unknown build", {1, 4, 90, 2222}, OS_OTHER},
    {"platform 1 ignores the major version", {1, 9, 10, 1998}, OS_WIN98},
    {"platform 1 with another minor version", {1, 4, 20, 1998}, OS_OTHER},
    {"NT 4", {2, 4, 0, 1381}, OS_WINNT4},
    {"NT 3.51", {2, 3, 51, 1057}, OS_WINNT4},
    {"NT major 0", {2, 0, 0, 0}, OS_WINNT4},
    {"2000", {2, 5, 0, 2195}, OS_WIN2000},
    {"XP", {2, 5, 1, 2600}, OS_WINXP},
    {"2003", {2, 5, 2, 3790}, OS_WINXP},
    {"Vista is taken for 2000", {2, 6, 0, 6000}, OS_WIN2000},
    {"7", {2, 6, 1, 7601}, OS_WINXP},
    {"8 without a manifest", {2, 6, 2, 9200}, OS_WINXP},
    // A negative major version read as unsigned is huge, never "4 or lower".
    {"major version with the top bit set", {2, 0x80000004u, 0, 0}, OS_WIN2000},
    {"platform 0 (Win32s)", {0, 3, 10, 0}, OS_OTHER},
    {"platform 3 (CE)", {3, 5, 0, 0}, OS_OTHER},
};

TEST(ClassifyVersionRecord, EveryRowAndEdge) {
  for (const VersionCase& c : kCases) {
    EXPECT_EQ(ClassifyVersionRecord(c.record), c.expected) << c.what;
  }
}

TEST(ClassifyWindowsVersion, AsksThePlatformOnce) {
  CallLog log;
  FakeSystemServices services(log);
  services.version = VersionRecord{2, 5, 0, 2195};
  EXPECT_EQ(ClassifyWindowsVersion(services), OS_WIN2000);
  EXPECT_EQ(log, CallLog{"GetVersionExA()"});
}

TEST(ClassifyWindowsVersion, FailedQueryIsOther) {
  CallLog log;
  FakeSystemServices services(log);
  EXPECT_EQ(ClassifyWindowsVersion(services), OS_OTHER);
}

}  // namespace
