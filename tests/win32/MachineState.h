// Puts the test prefix's registry in the state of a Windows 2000 machine:
// its service pack and the driver's parameter key and value.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "TestRegistry.h"

namespace machine {

extern const char kWindowsKey[];
extern const char kDriverKey[];

enum class DriverKey { kPresent, kMissing, kDeniesWriting };

struct State {
  std::optional<DWORD> csdVersion = 0x400;
  DriverKey driverKey = DriverKey::kPresent;
  std::optional<testreg::StoredValue> parameter;  // "Quorvane"
};

using testreg::Dword;

// Returns false when the registry refused a step.
bool Prepare(const State& state);
// Lifts a deny-write DACL and removes the driver key.
void Clean();

}  // namespace machine
