// Which machine a running process's program was built for: the tests must
// run the 32-bit program that users run, never a stand-in for another
// architecture.
#pragma once

#include <windows.h>

// The machine (IMAGE_FILE_MACHINE_I386 is 0x14C, _AMD64 0x8664) that the
// program of `process` was built for, which needs PROCESS_QUERY_INFORMATION;
// 0 when it cannot be told. The caller must itself be a 32-bit program.
WORD RunningImageMachine(HANDLE process);
// The COFF machine field of this process's own image, read from its headers.
WORD ThisImageMachine();
