// The process entry point. The command line is not read.
#include <windows.h>

#include "ui/WinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return AfxWinMain(instance); }
