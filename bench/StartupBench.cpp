// Starts two programs alternately, many times, and measures for each run the
// time from CreateProcess until its dialog is visible with its three fields
// filled (for the baseline: until it is visible), and the peak working set.
// Prints the medians and the ratios of the first program to the second.
//
// Usage: startup_bench RUNS PROGRAM.exe BASELINE.exe
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "DialogDriver.h"
#include "ProcessImage.h"

namespace {

bool FieldsFilled(HWND dialog) {
  for (int id : {1003, 1001, 1002}) {
    if (GetWindowTextLengthW(GetDlgItem(dialog, id)) == 0) return false;
  }
  return true;
}

struct Run {
  double milliseconds;
  double peakKiB;
};

bool Measure(const char* program, bool waitForFields, Run& run) {
  LARGE_INTEGER frequency;
  LARGE_INTEGER start;
  LARGE_INTEGER now;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  char commandLine[MAX_PATH];
  lstrcpynA(commandLine, program, MAX_PATH);
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::fprintf(stderr, "cannot start %s\n", program);
    return false;
  }
  HWND dialog = nullptr;
  for (int tries = 0; tries < 30000; ++tries) {
    dialog = FindProcessDialog(process.dwProcessId, nullptr);
    if (dialog != nullptr && (!waitForFields || FieldsFilled(dialog))) break;
    Sleep(1);
  }
  QueryPerformanceCounter(&now);
  // Only the 32-bit build is worth measuring: it is the one users run.
  if (dialog != nullptr && RunningImageMachine(process.hProcess) != IMAGE_FILE_MACHINE_I386) {
    std::fprintf(stderr, "%s is not a 32-bit x86 program\n", program);
    dialog = nullptr;
  }
  run.milliseconds = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                     static_cast<double>(frequency.QuadPart);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
  run.peakKiB = static_cast<double>(memory.PeakWorkingSetSize) / 1024.0;

  if (dialog != nullptr) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return dialog != nullptr;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: startup_bench RUNS PROGRAM.exe BASELINE.exe\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  std::vector<double> programTimes, baselineTimes, programPeaks, baselinePeaks;
  // One unmeasured start of each, so that neither pays for a cold cache.
  Run warm{};
  Measure(argv[2], true, warm);
  Measure(argv[3], false, warm);
  for (int i = 0; i < runs; ++i) {
    Run program{};
    Run baseline{};
    if (!Measure(argv[2], true, program) || !Measure(argv[3], false, baseline)) return 1;
    programTimes.push_back(program.milliseconds);
    baselineTimes.push_back(baseline.milliseconds);
    programPeaks.push_back(program.peakKiB);
    baselinePeaks.push_back(baseline.peakKiB);
  }
  const double time = Median(programTimes), baseTime = Median(baselineTimes);
  const double peak = Median(programPeaks), basePeak = Median(baselinePeaks);
  std::printf("start-up, median of %d runs: %.1f ms, baseline %.1f ms, ratio %.3f\n", runs, time,
              baseTime, time / baseTime);
  std::printf("peak working set, median of %d runs: %.0f KiB, baseline %.0f KiB, ratio %.3f\n",
              runs, peak, basePeak, peak / basePeak);
  return 0;
}
