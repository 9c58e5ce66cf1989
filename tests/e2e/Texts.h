// What the program shows, written down independently of its sources: the
// texts of its dialog and message boxes as a person reads them (UTF-16), and
// how a Windows with another ANSI code page reads the same bytes.
#pragma once

#include <windows.h>

#include <string>

namespace texts {

extern const wchar_t kCaption[];
extern const wchar_t kUpgradeButton[];
extern const wchar_t kExitButton[];

extern const wchar_t kWindows98Se[];
extern const wchar_t kWindowsMe[];
extern const wchar_t kWindowsNt4[];
extern const wchar_t kWindowsXp[];
extern const wchar_t kWindows2000Sp4[];

extern const wchar_t kAta28Bit[];
extern const wchar_t kAta48Bit[];
extern const wchar_t kUpgradeNeeded[];
extern const wchar_t kAlreadyUpgraded[];
extern const wchar_t kCannotUpgrade[];
extern const wchar_t kNotSupported[];
extern const wchar_t kUpgradeSucceeded[];

extern const wchar_t kRestartCaption[];
extern const wchar_t kRestartQuestion[];
extern const wchar_t kFailureCaption[];  // the executable's name without ".exe"
extern const wchar_t kUpgradeFailed[];

// How a system whose ANSI code page is `codePage` shows the program's texts;
// both conversions use Wine's own tables.
// - Its own texts are code page 936 bytes, written through the ANSI
//   functions: they are shown decoded with `codePage`.
std::wstring Cp936BytesShownUnder(UINT codePage, const std::wstring& text);
// - Its dialog template is Unicode, but the dialog is an ANSI one
//   (DialogBoxParamA), and Windows creates its controls through the ANSI
//   functions: a template text is converted to `codePage` and back, and
//   what that code page lacks becomes "?".
std::wstring TemplateTextShownUnder(UINT codePage, const std::wstring& text);

}  // namespace texts
