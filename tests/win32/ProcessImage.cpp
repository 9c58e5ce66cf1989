// The headers are read from the process's memory, not from the file it was
// started from, so the answer is about what actually runs.
#include "ProcessImage.h"

#include <psapi.h>

namespace {

template <typename T>
bool ReadFrom(HANDLE process, const BYTE* address, T& value) {
  SIZE_T read = 0;
  return ReadProcessMemory(process, address, &value, sizeof value, &read) && read == sizeof value;
}

WORD MachineOfImageAt(HANDLE process, const BYTE* base) {
  IMAGE_DOS_HEADER dos{};
  if (!ReadFrom(process, base, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE) return 0;
  DWORD signature = 0;
  IMAGE_FILE_HEADER file{};
  const BYTE* nt = base + dos.e_lfanew;
  if (!ReadFrom(process, nt, signature) || signature != IMAGE_NT_SIGNATURE) return 0;
  if (!ReadFrom(process, nt + sizeof signature, file)) return 0;
  return file.Machine;
}

}  // namespace

WORD RunningImageMachine(HANDLE process) {
  // The first module that EnumProcessModules lists is the main image.
  HMODULE image = nullptr;
  DWORD needed = 0;
  if (!EnumProcessModules(process, &image, sizeof image, &needed) || image == nullptr) return 0;
  return MachineOfImageAt(process, reinterpret_cast<const BYTE*>(image));
}

WORD ThisImageMachine() {
  // EnumProcessModules walks the loader's list, which other threads of a
  // test program may be changing: the main image's handle is its address.
  return MachineOfImageAt(GetCurrentProcess(),
                          reinterpret_cast<const BYTE*>(GetModuleHandleW(nullptr)));
}
