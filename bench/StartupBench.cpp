// Starts three programs in turn, round after round: the program, the floor
// (the same start-up work in flat Win32, FloorDialog.cpp) and the bare
// dialog (the template alone, BareDialog.cpp). For each run it measures the
// time from CreateProcess until the program waits for input with its dialog
// visible, painted and its three fields filled (for the bare dialog:
// visible and painted); then at once the resident memory of the Windows
// process itself and the whole process's peak working set. The Linux
// process's smaps file gives the first: under a user-mode emulator only the
// program's own 4 GiB count, the emulator's translated code and heap do not
// (ProcessMemory.h). The second comes from GetProcessMemoryInfo, which under
// Wine reports the whole Linux process, emulator included.
//
// Each round gives a ratio and a difference of every figure, the program's
// to the floor's and to the bare dialog's, so that a slow moment of the
// machine weighs on both sides of each pair alike. The rounds go through
// the six orders of the three in turn, so that each program takes each
// place equally often: with two orders only the floor always ran second,
// and a native run put the program 2.2% [0.7%, 3.6%] above it, the next
// one with all six orders 0.4% [-1.6%, 2.4%]. Rounds are taken until the
// 95% interval of the start-up ratio to the floor is narrow enough, or
// MAX_SECONDS of measuring have passed (the rule is in PairedComparison.h).
// Prints where the programs ran (natively or under which emulator), how
// many pairs it took and why it stopped, the median per-pair ratio and
// difference of each figure with their 95% intervals, and a verdict on the
// floor's two budgets; the bare dialog's figures are information: what the
// start-up work costs. Exits with 1 when a ratio is over its budget, 2 when
// it cannot measure.
//
// Usage: startup_bench MAX_SECONDS STARTUP_BUDGET MEMORY_BUDGET PROGRAM.exe FLOOR.exe BARE.exe
#include <windows.h>
// psapi.h needs the types of windows.h.
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/PairedComparison.h"
#include "bench/ProcessMemory.h"
#include "res/resource.h"
#include "wine/DialogDriver.h"
#include "wine/ProcessImage.h"

namespace {

struct Program {
  const char* path;
  bool fillsFields;
  std::string file;  // the file name, as the emulator's smaps names it
  DWORD imageBase;   // where its PE header asks to be loaded
};

struct Run {
  double milliseconds;
  double programKiB;  // the Windows process's own resident memory
  double peakKiB;     // the whole Linux process's peak
  std::string emulator;
};

double SecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now;
  LARGE_INTEGER frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

bool ReadWholeFile(const std::string& path, std::string& text) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  text.clear();
  char buffer[16384];
  DWORD got = 0;
  // Files under /proc report no size: read until nothing comes.
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(file);
  return true;
}

bool ReadImageHeader(Program& program) {
  std::string image;
  if (!ReadWholeFile(program.path, image) || image.size() < sizeof(IMAGE_DOS_HEADER)) return false;
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
  const size_t ntOffset = static_cast<size_t>(dos->e_lfanew);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE || ntOffset + sizeof(IMAGE_NT_HEADERS32) > image.size()) {
    return false;
  }
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(image.data() + ntOffset);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return false;
  program.imageBase = nt->OptionalHeader.ImageBase;
  const std::string path = program.path;
  program.file = path.substr(path.find_last_of("/\\:") + 1);
  return true;
}

// Wine gives a Windows process's command line to the Linux process that runs
// it, emulator or not, and the benchmark gives each run a word of its own,
// which the programs do not read. Wine 8 tells no Windows program a Linux
// process id, so this looks through Z:\proc for that word.
std::string FindLinuxProcess(const std::string& word) {
  WIN32_FIND_DATAA entry;
  const HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
  if (search == INVALID_HANDLE_VALUE) return "";
  std::string found;
  std::string commandLine;
  do {
    const std::string name = entry.cFileName;
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    if (!ReadWholeFile("Z:\\proc\\" + name + "\\cmdline", commandLine)) continue;
    for (size_t start = 0; start < commandLine.size();) {
      const size_t end = commandLine.find('\0', start);
      if (commandLine.compare(start, end - start, word) == 0 && end - start == word.size()) {
        found = name;
      }
      start = end == std::string::npos ? commandLine.size() : end + 1;
    }
  } while (found.empty() && FindNextFileA(search, &entry));
  FindClose(search);
  return found;
}

bool FieldsFilled(HWND dialog) {
  for (int id : {IDC_OS_NAME, IDC_ATA_MODE, IDC_UPGRADE_STATUS}) {
    if (GetWindowTextLengthW(GetDlgItem(dialog, id)) == 0) return false;
  }
  return true;
}

bool Measure(const Program& program, const std::string& word, Run& run) {
  LARGE_INTEGER start;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + std::string(program.path) + "\" " + word;
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "cannot start %s\n", program.path);
    return false;
  }
  // Wine signals input idle when the program's thread first finds its queue
  // empty: in the dialog's modal loop, the dialog shown and painted. Waiting
  // for that costs no CPU, where polling took CPU that the start needed
  // (under qemu on a 2-core machine, a 1 ms loop lengthened starts by about
  // a third). A cold start went idle before its dialog was up once: then
  // the dialog is polled for every 10 ms.
  WaitForInputIdle(process.hProcess, 30000);
  HWND dialog = nullptr;
  while (dialog == nullptr && SecondsSince(start) < 30.0) {
    dialog = FindProcessDialog(process.dwProcessId, nullptr);
    // Every program's fields are read, so that each pays for the same calls
    // into its thread; those that fill them must have done so.
    if (dialog != nullptr && !FieldsFilled(dialog) && program.fillsFields) dialog = nullptr;
    if (dialog == nullptr) Sleep(10);
  }
  run.milliseconds = 1000.0 * SecondsSince(start);
  bool measured = dialog != nullptr;
  if (!measured) std::fprintf(stderr, "%s showed no dialog with its fields filled\n", program.path);
  // Only the 32-bit build is worth measuring: it is the one users run.
  if (measured && RunningImageMachine(process.hProcess) != IMAGE_FILE_MACHINE_I386) {
    std::fprintf(stderr, "%s is not a 32-bit x86 program\n", program.path);
    measured = false;
  }
  if (measured) {
    // The fields are filled in WM_INITDIALOG, before the dialog shows, and
    // its first paint (the picture, the window's surface) follows: read
    // during that paint, the figure jumped by 700 KiB from run to run.
    WaitForInputIdle(process.hProcess, 5000);
    const std::string linuxProcess = FindLinuxProcess(word);
    std::string smaps;
    ResidentMemory memory;
    std::string why = "its smaps cannot be read";
    if (linuxProcess.empty()) {
      why = "its Linux process is not found";
    } else if (ReadWholeFile("Z:\\proc\\" + linuxProcess + "\\smaps", smaps) &&
               SummariseSmaps(smaps, program.file, program.imageBase, memory, why)) {
      why.clear();
    }
    if (!why.empty()) {
      std::fprintf(stderr, "no memory figure of %s: %s\n", program.path, why.c_str());
      measured = false;
    }
    run.programKiB = static_cast<double>(memory.programKiB);
    run.emulator = memory.emulator;
  }
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters);
  run.peakKiB = static_cast<double>(counters.PeakWorkingSetSize) / 1024.0;

  if (dialog != nullptr) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return measured;
}

// The program (0), the floor (1) and the bare dialog (2), in every order.
constexpr int kOrders[6][3] = {{0, 1, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}, {0, 2, 1}, {1, 0, 2}};

// Fewer pairs than this can look alike by chance and end the run too early.
constexpr size_t kMinimumPairs = 20;
// Narrow enough to decide a budget 0.02 above a ratio near 1.
constexpr double kHalfWidth = 0.01;

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

// The program against one baseline.
struct Comparison {
  PairedFigure startup;
  PairedFigure memory;
  PairedFigure peak;

  void Add(const Run& program, const Run& baseline) {
    startup.Add(program.milliseconds, baseline.milliseconds);
    memory.Add(program.programKiB, baseline.programKiB);
    peak.Add(program.peakKiB, baseline.peakKiB);
  }
};

void PrintFigure(const char* name, const char* baseline, const PairedFigure& figure,
                 const char* unit, int decimals) {
  const MedianEstimate ratio = EstimateMedian(figure.ratios);
  const MedianEstimate difference = EstimateMedian(figure.differences);
  std::printf("  %s: medians %.*f %s (program), %.*f %s (%s)\n", name, decimals,
              EstimateMedian(figure.program).median, unit, decimals,
              EstimateMedian(figure.baseline).median, unit, baseline);
  std::printf(
      "    per pair: ratio %.3f, 95%% interval [%.3f, %.3f]; difference %.*f %s, "
      "95%% interval [%.*f, %.*f] %s\n",
      ratio.median, ratio.low, ratio.high, decimals, difference.median, unit, decimals,
      difference.low, decimals, difference.high, unit);
}

void PrintComparison(const char* heading, const char* baseline, const Comparison& comparison,
                     const char* peakName) {
  std::printf("%s\n", heading);
  PrintFigure("start-up", baseline, comparison.startup, "ms", 1);
  PrintFigure("own memory", baseline, comparison.memory, "KiB", 0);
  PrintFigure(peakName, baseline, comparison.peak, "KiB", 0);
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
  // Four decimals: an end just above the budget would print as the budget.
  std::printf("%s, 95%% interval [%.4f, %.4f] %s %g\n", name, ratio.low, ratio.high, relation,
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
  if (argc != 7 || !ParsePositive(argv[1], rule.maximumSeconds) ||
      !ParsePositive(argv[2], startupBudget) || !ParsePositive(argv[3], memoryBudget)) {
    std::fprintf(stderr,
                 "usage: startup_bench MAX_SECONDS STARTUP_BUDGET MEMORY_BUDGET "
                 "PROGRAM.exe FLOOR.exe BARE.exe\n");
    return 2;
  }
  Program programs[] = {{argv[4], true, "", 0}, {argv[5], true, "", 0}, {argv[6], false, "", 0}};
  for (Program& program : programs) {
    if (!ReadImageHeader(program)) {
      std::fprintf(stderr, "cannot read the PE header of %s\n", program.path);
      return 2;
    }
  }
  // A word no other process has in its command line: this run's start and
  // a count.
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  unsigned count = 0;
  const auto nextWord = [&start, &count] {
    return "bench-run-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(start.QuadPart) + "-" + std::to_string(++count);
  };

  // One unmeasured start of each, so that none pays for a cold cache.
  Run runs[3];
  for (int i = 0; i < 3; ++i) {
    if (!Measure(programs[i], nextWord(), runs[i])) return 2;
  }
  const std::string emulator = runs[0].emulator;

  Comparison floor;
  Comparison bare;
  QueryPerformanceCounter(&start);
  Stop stop = Stop::kNotYet;
  for (unsigned round = 0; stop == Stop::kNotYet; ++round) {
    for (int step = 0; step < 3; ++step) {
      const int i = kOrders[round % 6][step];
      if (!Measure(programs[i], nextWord(), runs[i])) return 2;
      if (runs[i].emulator != emulator) {
        std::fprintf(stderr, "the programs did not all run the same way: %s, then %s\n",
                     emulator.empty() ? "natively" : emulator.c_str(),
                     runs[i].emulator.empty() ? "natively" : runs[i].emulator.c_str());
        return 2;
      }
    }
    floor.Add(runs[0], runs[1]);
    bare.Add(runs[0], runs[2]);
    const MedianEstimate ratio = EstimateMedian(floor.startup.ratios);
    stop = NextStop(rule, floor.startup.ratios.size(), ratio, SecondsSince(start));
    if (floor.startup.ratios.size() % 20 == 0) {
      std::fprintf(
          stderr, "%u pairs: start-up ratio to the floor %.3f, 95%% interval [%.3f, %.3f]\n",
          static_cast<unsigned>(floor.startup.ratios.size()), ratio.median, ratio.low, ratio.high);
    }
  }

  if (emulator.empty()) {
    std::printf(
        "where the programs ran: natively, each Windows process a 32-bit Linux process;"
        " own memory is the whole process\n");
  } else {
    std::printf(
        "where the programs ran: under the emulator %s; own memory is the program's"
        " 4 GiB in the emulator's process\n",
        emulator.c_str());
  }
  const unsigned pairs = static_cast<unsigned>(floor.startup.ratios.size());
  if (stop == Stop::kNarrowEnough) {
    std::printf(
        "%u pairs: stopped when both ends of the start-up ratio to the floor's 95%% interval "
        "lay within %.2f of its median (after at least %u pairs)\n",
        pairs, rule.halfWidth, static_cast<unsigned>(rule.minimumPairs));
  } else {
    std::printf(
        "%u pairs: stopped by the cap of %g s of measuring, before both ends of the "
        "start-up ratio to the floor's 95%% interval lay within %.2f of its median\n",
        pairs, rule.maximumSeconds, rule.halfWidth);
  }
  const char* peakName = emulator.empty() ? "whole-process peak working set"
                                          : "whole-process peak working set, emulator included";
  PrintComparison("against the floor (the same start-up work in flat Win32):", "floor", floor,
                  peakName);
  PrintComparison("against the bare dialog (information: what the start-up work costs):",
                  "bare dialog", bare, peakName);
  bool over = PrintVerdict("start-up ratio to the floor", floor.startup.ratios, startupBudget);
  over = PrintVerdict("own memory ratio to the floor", floor.memory.ratios, memoryBudget) || over;
  return over ? 1 : 0;
}
