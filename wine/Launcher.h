// What wine/wine-run.sh chose for the Wine processes of a test program: the
// ANSI code page comes from LC_ALL, zh_CN (936) unless QUORVANE_WINE_LOCALE
// names en_US (1252). A program started by a test inherits it.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <cstring>

inline UINT LaunchersCodePage() {
  const char* locale = std::getenv("QUORVANE_WINE_LOCALE");
  return locale != nullptr && std::strncmp(locale, "en_US", 5) == 0 ? 1252 : 936;
}
