// The one way to put this Wine prefix into a machine state: the Windows
// version Wine reports to a program, CSDVersion, the driver key and value
// (a key that refuses writing included), how Wine shows the program's
// windows, and Windows 2000's look. The dialog tests, the end-to-end suite, scripts/run.sh and the
// benchmark (through prepare_machine.exe) all prepare their machines here.
// The ANSI code page is the one setting a process cannot change: Wine takes
// it from LC_ALL when it starts a process from Linux (wine/wine-run.sh).
#pragma once

#include <windows.h>

#include <string>

#include "wine/MachineState.h"
#include "wine/TestRegistry.h"

namespace machine {

// One colour of a scheme: its name under HKCU\Control Panel\Colors and its
// GetSysColor index.
struct SchemeColour {
  const char* name;
  int index;
  COLORREF colour;
};
// Windows 2000's "Windows Standard" scheme, every colour it defines, and
// the two menu colours Windows XP added, as its classic scheme has them.
extern const SchemeColour kWindowsStandard[];
extern const size_t kWindowsStandardCount;

// Windows 2000's look for every program started afterwards: no visual theme
// (Wine's default "Light" one draws flat, near-white buttons), the Windows
// Standard colours and gradient captions. Wine reads them when a program
// starts. Returns false when the registry refused.
bool ShowWindows2000Look();
// How this process's look differs from Windows 2000's, one line each;
// empty when it has that look.
std::string Windows2000LookDifferences();

// The program's file name, by which Wine's per-program settings go.
inline constexpr char kProgramFile[] = "Quorvane.exe";

// Wine reads these per executable (kProgramFile) when the program starts.
// Each returns false when the registry refused.
bool SetVersionProfile(const std::string& exe, const char* profile);
// Wine frames the program's windows itself instead of handing them to an X
// window manager: without one (Xvfb) a dialog would have no caption, and
// Wine would wait two seconds for the manager whenever a window goes away.
bool LetWineFrameWindows(const std::string& exe);
// The default: the window manager frames them, on a person's desktop.
bool LetWindowManagerFrameWindows(const std::string& exe);
// Whether both settings above are in place for exe.
bool HasSettings(const std::string& exe, const char* profile);
// Removes every setting of exe.
bool ForgetSettings(const std::string& exe);

// The Song typeface that stands in for the dialogs' 宋体 on a person's
// screen (scripts/run.sh, the benchmark): it has Windows 2000's metrics, 1.5
// pixels a dialog unit each way, for which the dialog's picture is drawn.
extern const char kSongFaceReplacement[];
bool ReplaceSongFace(const char* replacement);

// The registry of `state`: CSDVersion, the driver key and value, and the
// version profile for exe where the state's Windows has one. The driver key
// does not refuse writing yet: see ApplyWriteDenial. Returns false, naming
// the step, when the registry refused.
bool Prepare(const table::Machine& state, const std::string& exe, std::string& failedStep);
// Makes the driver key, or the Atapi key above it, refuse writes if the state
// says so. Kept apart
// because such a key refuses KEY_READ too (KEY_WRITE includes READ_CONTROL),
// so that snapshots can be taken before it.
bool ApplyWriteDenial(const table::Machine& state);
// Both of the above: the whole state, for tests that take no snapshot.
bool Enter(const table::Machine& state, const std::string& exe);
// Lets the driver key and the Atapi key be written and read again, where they
// exist.
void LiftWriteDenial();
// Lifts a deny-write DACL and removes the driver's keys altogether.
bool RemoveDriverKeys();

testreg::StoredValue Stored(const table::Value& value);
// The driver's value as it is now; false when it or its key is missing.
bool ReadParameter(testreg::StoredValue& value);

// Snapshot entries, as TestRegistry's Differences prints them.
std::string ParameterEntry();

}  // namespace machine
