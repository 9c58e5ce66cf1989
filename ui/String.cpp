// String-table loading and formatting through USER32, which every Windows
// from 95 on has.
#include "ui/String.h"

#include <cstdarg>

#include "ui/Text.h"
#include "ui/WinApp.h"

BOOL CString::LoadString(UINT id) {
  m_isWide = AfxGetTextPath() == TEXT_PATH_WIDE;
  int length = 0;
  if (m_isWide) {
    length = ::LoadStringW(AfxGetResourceHandle(), id, m_wide, sizeof m_wide / sizeof m_wide[0]);
  } else {
    length = ::LoadStringA(AfxGetResourceHandle(), id, m_text, sizeof m_text);
  }
  if (length <= 0) {
    m_text[0] = '\0';
    m_wide[0] = L'\0';
  }
  return length > 0;
}

void CString::Format(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  // wvsprintf writes at most 1024 characters, so format there first.
  char buffer[1025];
  ::wvsprintfA(buffer, format, arguments);
  va_end(arguments);
  lstrcpynA(m_text, buffer, sizeof m_text);
  m_isWide = false;
}
