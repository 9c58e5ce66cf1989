// The driver's output: one line per check, "ok" or "FAIL", so that a failing
// ctest run shows every expectation beside what the program really did.
#pragma once

#include <string>
#include <vector>

namespace report {

// Opens a scenario's block of lines; the checks after it are named under it.
void BeginScenario(const std::string& name);

// Each prints one line and returns whether the check held. Texts are printed
// as UTF-8, with control characters escaped so that every one is visible.
bool CheckText(const std::string& what, const std::wstring& expected, const std::wstring& actual);
bool CheckFlag(const std::string& what, bool expected, bool actual);
bool CheckNumber(const std::string& what, unsigned long expected, unsigned long actual);
bool CheckLines(const std::string& what, const std::vector<std::string>& expected,
                const std::vector<std::string>& actual);
// A step that could not be taken: the scenario cannot go on.
void Fail(const std::string& what);
// A line that explains the check before it; not a check itself.
void Note(const std::string& line);

int CheckCount();
int FailureCount();

std::string Utf8(const std::wstring& text);

}  // namespace report
