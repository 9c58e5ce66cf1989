// How a Windows with another ANSI code page shows the program's texts (the
// texts themselves are in the test table); both conversions use Wine's own
// tables.
#pragma once

#include <windows.h>

#include <string>

namespace texts {

// - Its own texts are code page 936 bytes, written through the ANSI
//   functions: they are shown decoded with `codePage`.
std::wstring Cp936BytesShownUnder(UINT codePage, const std::wstring& text);
// - Its dialog template is Unicode, but the dialog is an ANSI one
//   (DialogBoxParamA), and Windows creates its controls through the ANSI
//   functions: a template text is converted to `codePage` and back, and
//   what that code page lacks becomes "?".
std::wstring TemplateTextShownUnder(UINT codePage, const std::wstring& text);

}  // namespace texts
