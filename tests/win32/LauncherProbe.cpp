// Ends as a broken test program would, for the launcher's own test: "fault"
// prints a line and then executes an invalid instruction; "exit N" ends with
// status N and prints nothing. Wine reports that fault as an illegal
// instruction natively and under qemu alike, where it reports a write
// through a null pointer as one too.
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "fault") == 0) {
    // Flushed, as GoogleTest flushes each line: what a crash loses from the
    // runtime's buffer is not the launcher's to keep.
    std::puts("the probe runs");
    std::fflush(stdout);
    __builtin_trap();
  }
  if (argc == 3 && std::strcmp(argv[1], "exit") == 0) return std::atoi(argv[2]);
  std::fputs("usage: launcher_probe fault | exit N\n", stderr);
  return 2;
}
