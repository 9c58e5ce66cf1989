// Which window functions show the program's texts. Its own texts are code
// page 936 bytes; handed to the ANSI functions they are read in the system's
// ANSI code page, which on a Windows that is not set up for Simplified
// Chinese turns them into other characters. Converted from 936 to UTF-16 and
// handed to the wide functions they read right on every code page. Plain
// logic, so that it is tested without Windows.
#pragma once

enum TextPath {
  TEXT_PATH_ANSI,  // the ANSI functions, the texts as they are
  TEXT_PATH_WIDE,  // the wide functions, the texts converted from code page 936
};

// platformId: GetVersionExA's dwPlatformId. The Windows 95 line (1) exports
// the wide window functions only as stubs that fail, so it keeps the ANSI
// ones; so does any platform that is not Windows NT (2). cp936Converts:
// whether the system converts code page 936, which Windows 2000 does only
// with East Asian language support installed.
constexpr TextPath ChooseTextPath(unsigned long platformId, bool cp936Converts) {
  return platformId == 2 && cp936Converts ? TEXT_PATH_WIDE : TEXT_PATH_ANSI;
}
