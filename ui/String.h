// A short ANSI text of fixed capacity: what the dialogs load from the string
// table or format. Longer texts are cut, never overrun.
#pragma once

#include <windows.h>

class CString {
 public:
  CString() { m_text[0] = '\0'; }

  // The string resource id, converted to the ANSI code page; the text is
  // empty (and the result FALSE) when there is no such string.
  BOOL LoadString(UINT id);
  // printf-style, with the formats wvsprintf knows (%d, %s, %u, %x, %c).
  void Format(const char* format, ...);

  bool IsEmpty() const { return m_text[0] == '\0'; }
  operator const char*() const { return m_text; }

 private:
  char m_text[256];
};
