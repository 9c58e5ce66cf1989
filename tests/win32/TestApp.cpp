#include "TestApp.h"

TestApp theTestApp;
