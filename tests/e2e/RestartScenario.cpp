// The upgrade answered Yes: the program asks Windows to restart. Under Wine,
// ExitWindowsEx performs Wine's restart: the programs' windows are ended and
// the commands under RunOnce run, as after a reboot. A RunOnce command that
// writes a marker file therefore proves that the restart was requested.
// The driver, a console program without windows, lives through it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Report.h"
#include "Scenario.h"
#include "wine/TestRegistry.h"

namespace {

const char kRunOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char kRunOnceValue[] = "QuorvaneE2E";
// What `echo restarted>` leaves in the file: cmd ends the line with CRLF.
const wchar_t kMarkerText[] = L"restarted\r\n";

// restart-marker.txt beside the driver.
std::wstring MarkerPath() {
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring marker = path;
  return marker.substr(0, marker.find_last_of(L'\\') + 1) + L"restart-marker.txt";
}

bool ArmRunOnce(const std::wstring& marker) {
  // SetString stores through the ANSI functions: the path in the ANSI code page.
  char path[MAX_PATH * 2] = "";
  if (WideCharToMultiByte(CP_ACP, 0, marker.c_str(), -1, path, sizeof path, nullptr, nullptr) ==
      0) {
    return false;
  }
  const std::string command = std::string("cmd /c echo restarted> \"") + path + "\"";
  return testreg::SetString(HKEY_LOCAL_MACHINE, kRunOnceKey, kRunOnceValue, command);
}

// The marker's contents once the RunOnce command has written it; false if it
// never appears.
bool ReadMarker(const std::wstring& marker, std::string& contents) {
  const DWORD start = GetTickCount();
  while (GetFileAttributesW(marker.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (GetTickCount() - start > kSafeguardMs) return false;
    Sleep(50);
  }
  // cmd may still be writing: read once it lets us share the file.
  for (;;) {
    HANDLE file = CreateFileW(marker.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      char buffer[256];
      DWORD size = 0;
      ReadFile(file, buffer, sizeof buffer, &size, nullptr);
      CloseHandle(file);
      contents.assign(buffer, size);
      return true;
    }
    if (GetTickCount() - start > kSafeguardMs) return false;
    Sleep(50);
  }
}

TEST(Restart, ValueAbsentUpgradeAnsweredYes) {
  Scenario scenario(table::WithParameter(std::nullopt));
  const std::wstring marker = MarkerPath();
  DeleteFileW(marker.c_str());
  if (!report::CheckFlag("no marker before the restart", false,
                         GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES) ||
      !report::CheckFlag("RunOnce command in place", true, ArmRunOnce(marker)) ||
      !scenario.Open()) {
    return;
  }
  scenario.ExpectFields("on start", NeedsUpgradeFields());
  if (!scenario.ExpectMessageBox(Click(kUpgradeButton, table::kUpgradeButton), RestartQuestion(),
                                 UpgradedNowFields(), IDYES)) {
    return;
  }
  scenario.ExpectEnded("after Yes");

  std::string contents;
  if (report::CheckFlag("restart ran the RunOnce command (marker written)", true,
                        ReadMarker(marker, contents))) {
    report::CheckText("marker contents", kMarkerText,
                      std::wstring(contents.begin(), contents.end()));
  }
  testreg::StoredValue left;
  report::CheckFlag("RunOnce entry still there", false,
                    testreg::ReadValue(HKEY_LOCAL_MACHINE, kRunOnceKey, kRunOnceValue, left));
  scenario.ExpectRegistry(
      {Added(machine::ParameterEntry(), machine::Stored(table::WrittenValue()))});
}

}  // namespace
