// Which machine a running process's program was built for, read from the
// image the loader mapped: the tests must run the 32-bit program that users
// run, never a stand-in for another architecture.
#pragma once

#include <windows.h>

// The COFF machine field (IMAGE_FILE_MACHINE_I386 is 0x14C) of the main image
// of `process`, which needs PROCESS_QUERY_INFORMATION and PROCESS_VM_READ;
// 0 when it cannot be read.
WORD RunningImageMachine(HANDLE process);
// The same for this process.
WORD ThisImageMachine();
