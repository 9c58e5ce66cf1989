// The benchmark's baseline: the main dialog's template run by a dialog
// procedure that does nothing but close it. No inspection, no painting.
#include <windows.h>

#include "res/resource.h"

static INT_PTR CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    EndDialog(window, IDCANCEL);
    return TRUE;
  }
  return message == WM_INITDIALOG;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_UPGRADE_DIALOG), nullptr, BareProc, 0);
  return 0;
}
