// Exits with the classification of the Windows it runs on, so that a test can
// start it under each of Wine's version profiles.
#include "inspect/SystemServices_win.h"
#include "inspect/WindowsVersion.h"

int main() {
  Win32SystemServices services;
  return ClassifyWindowsVersion(services);
}
