// The resident memory of a Windows program under Wine, read from the smaps
// file of the Linux process that runs it. Where the kernel runs 32-bit code,
// that process is the Windows process and nothing else. Under a user-mode
// emulator (qemu-user) it is the emulator, which keeps the program's 4 GiB
// address space in one window of its own and its translated code and heap
// outside it, and only the window is the program's. Plain text in, figures
// out, so that it runs on any machine.
#pragma once

#include <cstdint>
#include <string>

struct ResidentMemory {
  uint64_t wholeKiB = 0;    // Rss of every mapping of the Linux process
  uint64_t programKiB = 0;  // Rss of the Windows process's own mappings
  // The file of the emulator's code; empty where the process runs natively.
  std::string emulator;
};

// smaps: the file's text. imageFile: the program's file name, imageBase the
// address its PE header asks for. Natively (no mapping at or above 4 GiB) the
// whole process is the program's. Otherwise the window is placed where the
// emulator mapped the program's image from its file (header at offset 0):
// that address less imageBase. False, with `why`, when the image is not
// found or the window does not split the process cleanly: a mapping across
// its edge, or the emulator's own code, heap, stack or vDSO inside it.
bool SummariseSmaps(const std::string& smaps, const std::string& imageFile, uint64_t imageBase,
                    ResidentMemory& memory, std::string& why);
