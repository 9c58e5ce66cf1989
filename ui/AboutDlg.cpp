// The About item of the main dialog's system menu.
#include "ui/AboutDlg.h"

#include "ui/String.h"

static_assert((IDM_ABOUTBOX & 0xFFF0) == IDM_ABOUTBOX, "system commands keep the low four bits");
static_assert(IDM_ABOUTBOX < 0xF000, "ids from 0xF000 are the system's own commands");

void AppendAboutItem(CMenu systemMenu, UINT textId) {
  if (systemMenu.m_hMenu == nullptr) return;
  CString text;
  text.LoadString(textId);
  if (text.IsEmpty()) return;
  systemMenu.AppendMenu(MF_SEPARATOR);
  systemMenu.AppendMenu(MF_STRING, IDM_ABOUTBOX, text);
}
