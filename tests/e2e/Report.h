// The checks of the scenarios. Each reports a failure to GoogleTest with
// what was checked, what was expected and what the program really did, and
// returns whether it held, so that a scenario can stop where going on makes
// no sense.
#pragma once

#include <string>
#include <vector>

namespace report {

// Texts are printed as UTF-8, with control characters escaped so that every
// one is visible.
bool CheckText(const std::string& what, const std::wstring& expected, const std::wstring& actual);
bool CheckFlag(const std::string& what, bool expected, bool actual);
bool CheckNumber(const std::string& what, unsigned long expected, unsigned long actual);
bool CheckLines(const std::string& what, const std::vector<std::string>& expected,
                const std::vector<std::string>& actual);
// A step that could not be taken: the scenario cannot go on.
void Fail(const std::string& what);
// A line that explains the failure before it.
void Note(const std::string& line);

std::string Utf8(const std::wstring& text);

}  // namespace report
