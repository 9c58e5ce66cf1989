// Classification of the platform's version record into the seven codes.
#include "inspect/WindowsVersion.h"

#include "inspect/WinConstants.h"

namespace {

// On the 95/98/ME line the high word of the build number repeats the major
// and minor version, so only the low word identifies the release.
uint32_t BuildLowWord(uint32_t buildNumber) { return buildNumber & 0xFFFFu; }

WindowsVersion ClassifyWin9x(const VersionRecord& record) {
  const uint32_t build = BuildLowWord(record.buildNumber);
  switch (record.minorVersion) {
    case 10:
      if (build == 1998) return OS_WIN98;
      if (build == 2222) return OS_WIN98SE;
      return OS_OTHER;
    case 90:
      return build == 3000 ? OS_WINME : OS_OTHER;
    default:
      return OS_OTHER;
  }
}

WindowsVersion ClassifyNt(const VersionRecord& record) {
  if (record.majorVersion <= 4) return OS_WINNT4;
  // From 5.0 on only the minor version tells the two codes apart.
  return record.minorVersion == 0 ? OS_WIN2000 : OS_WINXP;
}

}  // namespace

WindowsVersion ClassifyVersionRecord(const VersionRecord& record) {
  switch (record.platformId) {
    case win::kPlatformWin32Windows:
      return ClassifyWin9x(record);
    case win::kPlatformWin32Nt:
      return ClassifyNt(record);
    default:
      return OS_OTHER;
  }
}

WindowsVersion ClassifyWindowsVersion(SystemServices& services) {
  VersionRecord record{};
  if (!services.GetVersionExA(record)) return OS_OTHER;
  return ClassifyVersionRecord(record);
}
