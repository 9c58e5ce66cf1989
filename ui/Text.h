// The program's texts on screen: every window function that takes one of
// them goes through here, on the path that ChooseTextPath decides once for
// the process.
#pragma once

#include <windows.h>

#include "ui/TextPath.h"

// The code page of the texts the program holds.
constexpr UINT kProgramCodePage = 936;

// Decided at the first call, from the platform and whether code page 936
// converts; the same for the rest of the process.
TextPath AfxGetTextPath();
// Replaces the decision, for tests that exercise both paths.
void AfxSetTextPathForTesting(TextPath path);

// A text as UTF-16, converted from `codePage`. A text that does not convert,
// or is longer than the buffer, comes out empty: never garbled or unended.
class CWideText {
 public:
  explicit CWideText(const char* text, UINT codePage = kProgramCodePage);
  operator const wchar_t*() const { return m_text; }

 private:
  wchar_t m_text[512];
};

// SetDlgItemText with a program text.
BOOL AfxSetDlgItemText(HWND dialog, int id, const char* text);
// MessageBox with a program text; the caption is in `captionCodePage`.
int AfxShowMessageBox(HWND owner, const char* text, const char* caption, UINT captionCodePage,
                      UINT type);
