// The two paths for the program's texts. The wide functions used here are
// exported by the user32 of every Windows from 95 on (as failing stubs on the
// 95 line, which never takes this path), so the program still loads there.
#include "ui/Text.h"

namespace {

bool pathDecided = false;
TextPath textPath = TEXT_PATH_ANSI;

TextPath DecideTextPath() {
  OSVERSIONINFOA version{};
  // 148: the record without the service-pack extension.
  version.dwOSVersionInfoSize = sizeof version;
  if (!::GetVersionExA(&version)) version.dwPlatformId = 0;
  // "位": a Windows without the code page fails with ERROR_INVALID_PARAMETER.
  wchar_t converted[2];
  const bool cp936Converts =
      ::MultiByteToWideChar(kProgramCodePage, 0, "\xce\xbb", 2, converted, 2) == 1;
  return ChooseTextPath(version.dwPlatformId, cp936Converts);
}

}  // namespace

TextPath AfxGetTextPath() {
  if (!pathDecided) {
    textPath = DecideTextPath();
    pathDecided = true;
  }
  return textPath;
}

void AfxSetTextPathForTesting(TextPath path) {
  textPath = path;
  pathDecided = true;
}

CWideText::CWideText(const char* text, UINT codePage) {
  if (::MultiByteToWideChar(codePage, 0, text, -1, m_text, sizeof m_text / sizeof m_text[0]) == 0) {
    m_text[0] = L'\0';
  }
}

BOOL AfxSetDlgItemText(HWND dialog, int id, const char* text) {
  if (AfxGetTextPath() == TEXT_PATH_WIDE) return ::SetDlgItemTextW(dialog, id, CWideText(text));
  return ::SetDlgItemTextA(dialog, id, text);
}

int AfxShowMessageBox(HWND owner, const char* text, const char* caption, UINT captionCodePage,
                      UINT type) {
  if (AfxGetTextPath() == TEXT_PATH_WIDE) {
    return ::MessageBoxW(owner, CWideText(text), CWideText(caption, captionCodePage), type);
  }
  return ::MessageBoxA(owner, text, caption, type);
}
