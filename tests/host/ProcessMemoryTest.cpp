// The benchmark's memory figure: which mappings of the Linux process running
// a Windows program are the program's own, natively and under an emulator
// that put the program's 4 GiB at either end of its address space.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "bench/ProcessMemory.h"
#include "tests/common/CaseNames.h"

namespace {

// One mapping as smaps shows it, with the lines that do not matter here.
std::string Map(const char* range, const char* perms, const char* path, int rssKiB,
                const char* offset = "00000000") {
  return std::string(range) + " " + perms + " " + offset + " 00:00 0          " + path +
         "\nSize:                 64 kB\nRss:             " + std::to_string(rssKiB) +
         " kB\nPss:                 1 kB\nVmFlags: rd mr mw me\n";
}

const std::string kImage = Map("00400000-00401000", "r--p", "/b/win32/Quorvane.exe", 4);
const std::string kNtdll = Map("7bc00000-7bc6a000", "r--p", "/w/i386-windows/ntdll.dll", 100);
const std::string kEmulatorCode =
    Map("7f6f55600000-7f6f55802000", "r--p", "/usr/bin/qemu-i386", 50) +
    Map("7f6f55802000-7f6f55b4d000", "r-xp", "/usr/bin/qemu-i386", 2000);
const std::string kEmulatorHeap = Map("55558c513000-55558c911000", "rw-p", "[heap]", 1000);

struct SmapsCase {
  const char* name;
  std::string smaps;
  bool summarised;
  ResidentMemory expected;
};
void PrintTo(const SmapsCase& c, std::ostream* out) { *out << c.name; }

const SmapsCase kSmaps[] = {
    {"natively the whole process",
     kImage + kNtdll + Map("ff9d0000-ff9f1000", "rw-p", "[stack]", 8),
     true,
     {112, 112, ""}},
    {"emulated with the program at address 0",
     kImage + kNtdll + Map("7ffe1000-100000000", "---p", "", 0) + kEmulatorHeap + kEmulatorCode,
     true,
     {3154, 104, "/usr/bin/qemu-i386"}},
    {"emulated with the program's 4 GiB high up",
     kEmulatorHeap + Map("7f0000400000-7f0000401000", "r--p", "/b/win32/QUORVANE.EXE", 4) +
         Map("7f007bc00000-7f007bc6a000", "r--p", "/w/i386-windows/ntdll.dll", 100) +
         Map("7f0100000000-7f0100100000", "rw-p", "", 300) + kEmulatorCode,
     true,
     {3454, 104, "/usr/bin/qemu-i386"}},
    {"emulated without the program's header from its file",
     Map("00400000-00401000", "r--p", "/b/win32/Quorvane.exe", 4, "00001000") + kEmulatorCode,
     false,
     {}},
    {"a mapping across the edge of the program's 4 GiB",
     kImage + Map("fff00000-100100000", "rw-p", "", 8) + kEmulatorCode,
     false,
     {}},
    {"the emulator's heap among the program's mappings",
     kImage + Map("00600000-00700000", "rw-p", "[heap]", 8) + kEmulatorCode,
     false,
     {}},
    {"the emulator's code among the program's mappings",
     kImage + Map("10000000-10100000", "r-xp", "/usr/bin/qemu-i386", 8) + kEmulatorCode,
     false,
     {}},
};

class Smaps : public ::testing::TestWithParam<SmapsCase> {};

TEST_P(Smaps, TheProgramsOwnMappings) {
  const SmapsCase& c = GetParam();
  ResidentMemory memory;
  std::string why;
  ASSERT_EQ(SummariseSmaps(c.smaps, "Quorvane.exe", 0x400000, memory, why), c.summarised) << why;
  if (!c.summarised) return;
  EXPECT_EQ(memory.wholeKiB, c.expected.wholeKiB);
  EXPECT_EQ(memory.programKiB, c.expected.programKiB);
  EXPECT_EQ(memory.emulator, c.expected.emulator);
}

INSTANTIATE_TEST_SUITE_P(Table, Smaps, ::testing::ValuesIn(kSmaps), table::NameCases());

}  // namespace
