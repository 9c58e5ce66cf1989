// How Wine shows Quorvane.exe's windows on a display without a window
// manager, such as the tests' Xvfb.
#pragma once

// Has Wine frame the program's windows itself. Read by Wine when the program
// starts; returns false when the registry refused.
bool LetWineFrameProgramWindows();
