// What runs, not the file it was started from.
#include "wine/ProcessImage.h"

WORD RunningImageMachine(HANDLE process) {
  // Another process's headers cannot be read reliably here: under qemu,
  // ReadProcessMemory may see the emulator's addresses rather than the
  // program's. So the answer comes from the system: this program is 32-bit,
  // so on a 64-bit system it runs under WoW64, and so does another process
  // exactly when it is 32-bit too; on a 32-bit system every process is.
  BOOL thisUnderWow64 = FALSE;
  BOOL otherUnderWow64 = FALSE;
  if (!IsWow64Process(GetCurrentProcess(), &thisUnderWow64) ||
      !IsWow64Process(process, &otherUnderWow64)) {
    return 0;
  }
  if (!thisUnderWow64 || otherUnderWow64) return IMAGE_FILE_MACHINE_I386;
  return IMAGE_FILE_MACHINE_AMD64;
}

WORD ThisImageMachine() {
  // Read in place: ReadProcessMemory goes through the wineserver, which
  // under qemu may look at the emulator's addresses rather than the
  // program's.
  const BYTE* base = reinterpret_cast<const BYTE*>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return 0;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return 0;
  return nt->FileHeader.Machine;
}
