// How a restart that a program requests shows under Wine, so that a scenario
// can tell that none was requested.
#pragma once

// True while Wine's restart is running: ExitWindowsEx starts wineboot.exe
// before it returns, and wineboot ends every program's windows.
bool RestartUnderWay();
