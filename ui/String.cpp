// String-table loading and formatting through USER32, which every Windows
// from 95 on has.
#include "ui/String.h"

#include <cstdarg>

#include "ui/WinApp.h"

BOOL CString::LoadString(UINT id) {
  const int length = ::LoadStringA(AfxGetResourceHandle(), id, m_text, sizeof m_text);
  if (length <= 0) m_text[0] = '\0';
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
}
