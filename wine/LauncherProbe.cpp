// Ends as a broken test program would, for the launcher's own check:
//   ok           prints a line on each output and ends with status 0;
//   fault        prints a line, then executes an invalid instruction;
//   exit N       ends with status N and prints nothing;
//   hang         prints a line, then waits for ever;
//   child-fault  runs "fault" as a child that shares its output, and ends
//                with status 1 once the child has faulted;
//   child-left   starts "hang" as such a child and ends at once, status 0;
//   child-apart  the same with a child that has no standard handles, as a
//                GUI program started by a test has none of its output.
// Wine reports that fault as an illegal instruction natively and under qemu
// alike, where it reports a write through a null pointer as one too.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Flushed, as GoogleTest flushes each line: what a crash or a kill loses
// from the runtime's buffer is not the launcher's to keep.
void Say(const char* line) {
  std::puts(line);
  std::fflush(stdout);
}

// Starts this program again with `mode`, sharing this one's output or with
// none. (A console child that is given no standard handles of its own gets
// its parent's, even where it inherits no handles.)
HANDLE StartChild(const char* mode, bool sharing) {
  char path[MAX_PATH];
  char commandLine[MAX_PATH + 32];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  wsprintfA(commandLine, "\"%s\" %s", path, mode);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!sharing) startup.dwFlags = STARTF_USESTDHANDLES;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(path, commandLine, nullptr, nullptr, sharing, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::fprintf(stderr, "launcher_probe: cannot start a child, error %lu\n", GetLastError());
    std::exit(2);
  }
  CloseHandle(process.hThread);
  return process.hProcess;
}

}  // namespace

int main(int argc, char** argv) {
  const char* const mode = argc >= 2 ? argv[1] : "";
  if (argc == 2 && std::strcmp(mode, "ok") == 0) {
    Say("the probe runs");
    std::fputs("the probe writes to standard error\n", stderr);
    return 0;
  }
  if (argc == 2 && std::strcmp(mode, "fault") == 0) {
    Say("the probe runs");
    __builtin_trap();
  }
  if (argc == 3 && std::strcmp(mode, "exit") == 0) return std::atoi(argv[2]);
  if (argc == 2 && std::strcmp(mode, "hang") == 0) {
    Say("the probe runs");
    Sleep(INFINITE);
  }
  if (argc == 2 && std::strcmp(mode, "child-fault") == 0) {
    WaitForSingleObject(StartChild("fault", true), INFINITE);
    return 1;
  }
  const bool sharing = std::strcmp(mode, "child-left") == 0;
  if (argc == 2 && (sharing || std::strcmp(mode, "child-apart") == 0)) {
    StartChild("hang", sharing);
    return 0;
  }
  std::fputs(
      "usage: launcher_probe ok | fault | exit N | hang | child-fault | child-left | child-apart\n",
      stderr);
  return 2;
}
