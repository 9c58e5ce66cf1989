// The checks of a scenario as GoogleTest failures: each names what was
// checked, what was expected and what the program really did, and the test
// goes on to its next check.
#include "Report.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

namespace report {

namespace {

bool Record(const std::string& what, bool held, const std::string& detail) {
  if (!held) ADD_FAILURE() << what << detail;
  return held;
}

// "text" with C0 and C1 control characters as \u{XX}: a code page that has no
// character for a byte gives such a control character, and it must show.
std::string Quoted(const std::wstring& text) {
  std::wstring visible;
  for (wchar_t c : text) {
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
      wchar_t escaped[12];
      std::swprintf(escaped, 12, L"\\u{%02X}", static_cast<unsigned>(c));
      visible += escaped;
    } else {
      visible += c;
    }
  }
  return "\"" + Utf8(visible) + "\"";
}

}  // namespace

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], size,
                      nullptr, nullptr);
  return out;
}

bool CheckText(const std::string& what, const std::wstring& expected, const std::wstring& actual) {
  return Record(what, expected == actual,
                ": expected " + Quoted(expected) + ", got " + Quoted(actual));
}

bool CheckFlag(const std::string& what, bool expected, bool actual) {
  const char* const words[] = {"no", "yes"};
  return Record(what, expected == actual,
                std::string(": expected ") + words[expected] + ", got " + words[actual]);
}

bool CheckNumber(const std::string& what, unsigned long expected, unsigned long actual) {
  return Record(what, expected == actual,
                ": expected " + std::to_string(expected) + ", got " + std::to_string(actual));
}

bool CheckLines(const std::string& what, const std::vector<std::string>& expected,
                const std::vector<std::string>& actual) {
  const auto list = [](const std::vector<std::string>& lines) {
    if (lines.empty()) return std::string("(none)");
    std::string out;
    for (const std::string& line : lines) out += "\n       | " + line;
    return out;
  };
  return Record(what, expected == actual,
                ": expected " + list(expected) + "\n     got " + list(actual));
}

void Fail(const std::string& what) { Record(what, false, ""); }

void Note(const std::string& line) { std::printf("       %s\n", line.c_str()); }

}  // namespace report
