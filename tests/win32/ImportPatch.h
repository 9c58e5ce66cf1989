// Replaces one imported function in this program's import table, so that a
// test can count or refuse the Win32 calls the code under test makes.
#pragma once

#include <windows.h>

// Returns the original function, or null when this program does not import
// `function` from `dll` (compared without regard to case).
void* PatchImport(const char* dll, const char* function, void* replacement);
