// The dialog procedure and the base behaviours of every dialog.
#include "ui/Dialog.h"

#include "ui/Text.h"
#include "ui/WinApp.h"

namespace {

// Messages whose result a dialog procedure returns itself rather than
// through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_QUERYDRAGICON:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_INITDIALOG:
      return true;
    default:
      return false;
  }
}

}  // namespace

CDialog::CDialog(UINT templateId, HWND parent) : m_nIDTemplate(templateId), m_hWndParent(parent) {}

INT_PTR CDialog::DoModal() {
  // A dialog without a parent is owned by the main window, so that it is
  // modal over it.
  HWND owner = m_hWndParent;
  const CWinApp* app = AfxGetApp();
  if (owner == nullptr && app != nullptr && app->m_pMainWnd != nullptr && app->m_pMainWnd != this) {
    owner = app->m_pMainWnd->m_hWnd;
  }
  // The templates' texts are UTF-16: a wide dialog shows them as they are,
  // an ANSI one through the ANSI code page.
  if (AfxGetTextPath() == TEXT_PATH_WIDE) {
    return ::DialogBoxParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDTemplate), owner,
                             DialogProc, reinterpret_cast<LPARAM>(this));
  }
  return ::DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner,
                           DialogProc, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::OnInitDialog() {
  DoDataExchange(false);
  return TRUE;  // the platform sets the initial focus
}

void CDialog::OnOK() {
  DoDataExchange(true);
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(bool) {}

LRESULT CDialog::Default() {
  m_passToDefault = true;
  // A wide dialog's messages carry UTF-16 texts: they go on to the wide
  // default procedure.
  const LRESULT result =
      ::IsWindowUnicode(m_hWnd)
          ? ::DefDlgProcW(m_hWnd, m_current.message, m_current.wParam, m_current.lParam)
          : ::DefDlgProcA(m_hWnd, m_current.message, m_current.wParam, m_current.lParam);
  m_passToDefault = false;
  return result;
}

HBRUSH CDialog::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }

const MessageMap* CDialog::GetThisMessageMap() {
  static const MessageMapEntry entries[] = {{0, 0, 0, nullptr}};
  static const MessageMap map = {nullptr, entries};
  return &map;
}

const MessageMap* CDialog::GetMessageMap() const { return GetThisMessageMap(); }

const MessageMapEntry* CDialog::FindEntry(UINT message, WPARAM wParam) const {
  for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
    for (const MessageMapEntry* entry = map->entries; entry->handler != nullptr; ++entry) {
      if (message < entry->firstMessage || message > entry->lastMessage) continue;
      if (message == WM_COMMAND && entry->commandId != LOWORD(wParam)) continue;
      return entry;
    }
  }
  return nullptr;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(lParam);
    self->m_hWnd = window;
    ::SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(window, DWLP_USER));
  }
  // Messages before WM_INITDIALOG (WM_SETFONT) find no object yet.
  if (self == nullptr) return FALSE;
  if (self->m_passToDefault) {
    self->m_passToDefault = false;
    return FALSE;
  }
#if defined(__cpp_exceptions)
  // No C++ exception may unwind through Windows' own frames.
  try {
    return self->Dispatch(message, wParam, lParam);
  } catch (...) {
    ::EndDialog(window, -1);
    return TRUE;
  }
#else
  return self->Dispatch(message, wParam, lParam);
#endif
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  const MSG outer = m_current;  // a handler may cause nested messages
  m_current.message = message;
  m_current.wParam = wParam;
  m_current.lParam = lParam;

  INT_PTR handled = FALSE;
  LRESULT result = 0;
  if (message == WM_INITDIALOG) {
    result = OnInitDialog();
    handled = TRUE;
  } else if (const MessageMapEntry* entry = FindEntry(message, wParam)) {
    result = entry->handler(*this, message, wParam, lParam);
    handled = TRUE;
  } else if (message == WM_COMMAND) {
    handled = TRUE;
    switch (LOWORD(wParam)) {
      case IDOK:
        OnOK();
        break;
      case IDCANCEL:
        OnCancel();
        break;
      default:
        handled = AfxGetApp() != nullptr && AfxGetApp()->OnCmdMsg(LOWORD(wParam));
    }
  }
  m_current = outer;

  if (!handled) return FALSE;
  if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
  ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
  return TRUE;
}
