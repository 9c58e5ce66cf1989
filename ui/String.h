// A short text of fixed capacity: what the dialogs load from the string table
// or format. Longer texts are cut, never overrun. A string resource is loaded
// in the form the window functions take on this system (ui/Text.h): UTF-16
// on the wide path, the ANSI code page's bytes on the other.
#pragma once

#include <windows.h>

class CString {
 public:
  CString() {
    m_text[0] = '\0';
    m_wide[0] = L'\0';
  }

  // The string resource id; the text is empty (and the result FALSE) when
  // there is no such string.
  BOOL LoadString(UINT id);
  // printf-style, with the formats wvsprintf knows (%d, %s, %u, %x, %c); the
  // result is ANSI.
  void Format(const char* format, ...);

  bool IsEmpty() const { return m_isWide ? m_wide[0] == L'\0' : m_text[0] == '\0'; }
  // Which form the text is in; only that form holds it.
  bool IsWide() const { return m_isWide; }
  const wchar_t* GetWide() const { return m_wide; }
  operator const char*() const { return m_text; }

 private:
  char m_text[256];
  wchar_t m_wide[256];
  bool m_isWide = false;
};
