// Puts the Wine prefix it runs in into a machine state for Quorvane.exe, for
// scripts/run.sh and the benchmark: a person's Windows, so the program's
// windows go to the window manager, and 宋体 is drawn with a Song typeface.
// Usage: prepare_machine.exe [--windows PROFILE] [--csd-version N] [--value absent|0|1]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Machine.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: prepare_machine.exe [--windows PROFILE] [--csd-version N]"
               " [--value absent|0|1]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  table::Machine state;  // service pack 4, driver key present, value absent
  std::string profile = state.version.wineProfile;
  for (int i = 1; i + 1 < argc; i += 2) {
    const char* value = argv[i + 1];
    if (std::strcmp(argv[i], "--windows") == 0) {
      profile = value;
    } else if (std::strcmp(argv[i], "--csd-version") == 0) {
      state.csdVersion = table::Dword(static_cast<uint32_t>(std::strtoul(value, nullptr, 0)));
    } else if (std::strcmp(argv[i], "--value") == 0) {
      if (std::strcmp(value, "absent") == 0) {
        state.parameter.reset();
      } else if (std::strcmp(value, "0") == 0 || std::strcmp(value, "1") == 0) {
        state.parameter = table::Dword(static_cast<uint32_t>(value[0] - '0'));
      } else {
        return Usage();
      }
    } else {
      return Usage();
    }
  }
  if (argc % 2 != 1) return Usage();
  state.version.wineProfile = profile.c_str();

  std::string failedStep;
  if (!machine::Prepare(state, "Quorvane.exe", failedStep)) {
    std::fprintf(stderr, "prepare_machine: could not %s\n", failedStep.c_str());
    return 1;
  }
  if (!machine::ReplaceSongFace(machine::kSongFaceReplacement)) {
    std::fprintf(stderr, "prepare_machine: could not replace the dialog typeface\n");
    return 1;
  }
  return 0;
}
