// Starts two programs alternately and measures for each run the time from
// CreateProcess until its dialog is visible with its three fields filled
// (for the baseline: until it is visible), and the peak working set. Each
// pair of runs, program then baseline, gives a ratio and a difference of
// either figure, so that a slow moment of the machine weighs on both sides of
// its pair alike. Pairs are taken until the start-up ratio's 95% interval is
// narrow enough, or MAX_SECONDS of measuring have passed (the rule is in
// PairedComparison.h). Prints how many pairs it took and why it stopped, the
// median per-pair ratio and difference of each figure with their 95%
// intervals, and a verdict on each ratio's budget. Exits with 1 when a ratio
// is over its budget, 2 when it cannot measure.
//
// Usage: startup_bench MAX_SECONDS STARTUP_BUDGET MEMORY_BUDGET PROGRAM.exe BASELINE.exe
#include <windows.h>
// psapi.h needs the types of windows.h.
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "DialogDriver.h"
#include "ProcessImage.h"
#include "bench/PairedComparison.h"

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

double SecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now;
  LARGE_INTEGER frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

bool Measure(const char* program, bool waitForFields, Run& run) {
  LARGE_INTEGER start;
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
    // Both programs' fields are read, so that each pays for the same calls
    // into its thread; only the program must have them filled.
    if (dialog != nullptr && (FieldsFilled(dialog) || !waitForFields)) break;
    Sleep(1);
  }
  run.milliseconds = 1000.0 * SecondsSince(start);
  // Only the 32-bit build is worth measuring: it is the one users run.
  if (dialog != nullptr && RunningImageMachine(process.hProcess) != IMAGE_FILE_MACHINE_I386) {
    std::fprintf(stderr, "%s is not a 32-bit x86 program\n", program);
    dialog = nullptr;
  }
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

// Fewer pairs than this can look alike by chance and end the run too early.
constexpr size_t kMinimumPairs = 20;
constexpr double kHalfWidth = 0.02;

// One figure of every pair.
struct PairedFigure {
  std::vector<double> program;
  std::vector<double> baseline;
  std::vector<double> ratios;
  std::vector<double> differences;

  void Add(double programValue, double baselineValue) {
    program.push_back(programValue);
    baseline.push_back(baselineValue);
    ratios.push_back(programValue / baselineValue);
    differences.push_back(programValue - baselineValue);
  }
};

void PrintFigure(const char* name, const PairedFigure& figure, const char* unit, int decimals) {
  const MedianEstimate ratio = EstimateMedian(figure.ratios);
  const MedianEstimate difference = EstimateMedian(figure.differences);
  std::printf("%s: medians %.*f %s (program), %.*f %s (baseline)\n", name, decimals,
              EstimateMedian(figure.program).median, unit, decimals,
              EstimateMedian(figure.baseline).median, unit);
  std::printf(
      "  per pair: ratio %.3f, 95%% interval [%.3f, %.3f]; difference %.*f %s, "
      "95%% interval [%.*f, %.*f] %s\n",
      ratio.median, ratio.low, ratio.high, decimals, difference.median, unit, decimals,
      difference.low, decimals, difference.high, unit);
}

// Prints the verdict on a ratio's budget; true when it is over.
bool PrintVerdict(const char* name, const std::vector<double>& ratios, double budget) {
  const MedianEstimate ratio = EstimateMedian(ratios);
  const Verdict verdict = JudgeRatio(ratio, budget);
  const char* relation = "includes";
  if (verdict == Verdict::kWithinBudget) {
    std::printf("within budget: ");
    relation = "<=";
  } else if (verdict == Verdict::kOverBudget) {
    std::printf("OVER BUDGET: ");
    relation = ">";
  } else {
    std::printf("undecided: ");
  }
  std::printf("%s, 95%% interval [%.3f, %.3f] %s %g\n", name, ratio.low, ratio.high, relation,
              budget);
  return verdict == Verdict::kOverBudget;
}

bool ParsePositive(const char* text, double& value) {
  char* end = nullptr;
  value = std::strtod(text, &end);
  return end != text && *end == '\0' && value > 0.0;
}

}  // namespace

int main(int argc, char** argv) {
  StoppingRule rule{kMinimumPairs, kHalfWidth, 0.0};
  double startupBudget = 0.0;
  double memoryBudget = 0.0;
  if (argc != 6 || !ParsePositive(argv[1], rule.maximumSeconds) ||
      !ParsePositive(argv[2], startupBudget) || !ParsePositive(argv[3], memoryBudget)) {
    std::fprintf(stderr,
                 "usage: startup_bench MAX_SECONDS STARTUP_BUDGET MEMORY_BUDGET "
                 "PROGRAM.exe BASELINE.exe\n");
    return 2;
  }
  const char* program = argv[4];
  const char* baseline = argv[5];
  // One unmeasured start of each, so that neither pays for a cold cache.
  Run warm{};
  Measure(program, true, warm);
  Measure(baseline, false, warm);

  PairedFigure startup;
  PairedFigure peak;
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  Stop stop = Stop::kNotYet;
  while (stop == Stop::kNotYet) {
    Run programRun{};
    Run baselineRun{};
    if (!Measure(program, true, programRun) || !Measure(baseline, false, baselineRun)) return 2;
    startup.Add(programRun.milliseconds, baselineRun.milliseconds);
    peak.Add(programRun.peakKiB, baselineRun.peakKiB);
    const MedianEstimate ratio = EstimateMedian(startup.ratios);
    stop = NextStop(rule, startup.ratios.size(), ratio, SecondsSince(start));
    if (startup.ratios.size() % 20 == 0) {
      std::fprintf(stderr, "%u pairs: start-up ratio %.3f, 95%% interval [%.3f, %.3f]\n",
                   static_cast<unsigned>(startup.ratios.size()), ratio.median, ratio.low,
                   ratio.high);
    }
  }

  const unsigned pairs = static_cast<unsigned>(startup.ratios.size());
  if (stop == Stop::kNarrowEnough) {
    std::printf(
        "%u pairs: stopped when both ends of the start-up ratio's 95%% interval lay "
        "within %.2f of its median (after at least %u pairs)\n",
        pairs, rule.halfWidth, static_cast<unsigned>(rule.minimumPairs));
  } else {
    std::printf(
        "%u pairs: stopped by the cap of %g s of measuring, before both ends of the "
        "start-up ratio's 95%% interval lay within %.2f of its median\n",
        pairs, rule.maximumSeconds, rule.halfWidth);
  }
  PrintFigure("start-up", startup, "ms", 1);
  PrintFigure("peak working set", peak, "KiB", 0);
  bool over = PrintVerdict("start-up ratio", startup.ratios, startupBudget);
  over = PrintVerdict("peak working set ratio", peak.ratios, memoryBudget) || over;
  return over ? 1 : 0;
}
