// The registry a scenario starts from: the Windows version Wine reports to
// Quorvane.exe, the service pack in CSDVersion, and the driver's parameter key
// and value. Also the notation of the registry snapshots, for expectations.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "TestRegistry.h"

namespace machine {

extern const char kControlSet[];  // the tree compared before and after
extern const char kWindowsKey[];
extern const char kAtapiKey[];
extern const char kDriverKey[];
extern const char kParameter[];  // the program's value under kDriverKey

// CSDVersion as a DWORD, missing, or of the wrong type.
struct ServicePack {
  enum class Kind { kDword, kMissing, kString } kind;
  DWORD dword;
  const char* text;
};
ServicePack Csd(DWORD value);
ServicePack CsdMissing();
ServicePack CsdString(const char* text);

enum class DriverKey { kPresent, kMissing, kDeniesWriting };

struct State {
  const char* profile;  // Wine's version profile for Quorvane.exe: "win2k", "win98", ...
  ServicePack csd;
  DriverKey driverKey;
  std::optional<testreg::StoredValue> parameter;  // none: the value is absent
};

using testreg::Dword;
using testreg::String;
testreg::StoredValue Binary(const std::vector<uint8_t>& bytes);

// Sets the registry's contents; returns false, naming the step, when the
// registry refused it.
bool Prepare(const State& state, std::string& failedStep);
// Makes the driver key refuse writes if the state says so. Kept apart
// because such a key refuses KEY_READ too (KEY_WRITE includes READ_CONTROL),
// so the snapshots are taken without it.
bool ApplyWriteDenial(const State& state);
// Lets the driver key be written and read again, if it exists.
void LiftWriteDenial();
// Lifts a deny-write DACL and removes the driver's keys altogether.
bool RemoveDriverKeys();

// Snapshot entries, as TestRegistry's Differences prints them.
std::string ParameterEntry();
std::string Notation(const testreg::StoredValue& value);  // "4:01000000"

}  // namespace machine
