// Puts the Wine prefix it runs in into a machine state for Quorvane.exe, for
// scripts/run.sh, the benchmark and the run machine's test: a person's
// Windows, so the program's windows go to the window manager (unless
// --framed-by-wine: with no window manager, Wine draws their frames itself,
// as Windows does), it has Windows 2000's look, and 宋体 is drawn with a Song
// typeface of Windows 2000's metrics. Each --baseline names another program
// that Wine treats as it treats Quorvane.exe: the benchmark's baselines.
// Usage: prepare_machine.exe [--framed-by-wine] [--windows PROFILE]
//          [--csd-version N] [--value absent|0|1] [--baseline NAME.exe]...
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "wine/Machine.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: prepare_machine.exe [--framed-by-wine] [--windows PROFILE]"
               " [--csd-version N] [--value absent|0|1] [--baseline NAME.exe]...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  table::Machine state;  // service pack 4, driver key present, value absent
  std::string profile = state.version.wineProfile;
  std::vector<std::string> baselines;
  int first = 1;
  const bool framedByWine = argc > 1 && std::strcmp(argv[1], "--framed-by-wine") == 0;
  if (framedByWine) ++first;
  for (int i = first; i + 1 < argc; i += 2) {
    const char* value = argv[i + 1];
    if (std::strcmp(argv[i], "--windows") == 0) {
      profile = value;
    } else if (std::strcmp(argv[i], "--csd-version") == 0) {
      state.csdVersion = table::Dword(static_cast<uint32_t>(std::strtoul(value, nullptr, 0)));
    } else if (std::strcmp(argv[i], "--baseline") == 0) {
      baselines.push_back(value);
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
  if ((argc - first) % 2 != 0) return Usage();
  state.version.wineProfile = profile.c_str();

  std::string failedStep;
  if (!machine::Prepare(state, machine::kProgramFile, failedStep)) {
    std::fprintf(stderr, "prepare_machine: could not %s\n", failedStep.c_str());
    return 1;
  }
  const auto frame = [framedByWine](const std::string& exe) {
    return framedByWine ? machine::LetWineFrameWindows(exe)
                        : machine::LetWindowManagerFrameWindows(exe);
  };
  if (!frame(machine::kProgramFile)) {
    std::fprintf(stderr, "prepare_machine: could not set how the windows are framed\n");
    return 1;
  }
  for (const std::string& baseline : baselines) {
    if (!machine::SetVersionProfile(baseline, state.version.wineProfile) || !frame(baseline)) {
      std::fprintf(stderr, "prepare_machine: could not give %s the same settings\n",
                   baseline.c_str());
      return 1;
    }
  }
  if (!machine::ShowWindows2000Look()) {
    std::fprintf(stderr, "prepare_machine: could not set Windows 2000's look\n");
    return 1;
  }
  if (!machine::ReplaceSongFace(machine::kSongFaceReplacement)) {
    std::fprintf(stderr, "prepare_machine: could not replace the dialog typeface\n");
    return 1;
  }
  return 0;
}
