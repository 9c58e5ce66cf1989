# Sourced by the scripts that start Windows programs: sets `arch`, the
# architecture the Windows test programs were built for, and `exe`, the
# Quorvane.exe that can run here. Where 32-bit Wine cannot run, that is the
# 64-bit build of the same sources.
arch=$(sed -n 's/^QUORVANE_TEST_ARCH:[A-Z]*=//p' build/win32/CMakeCache.txt)
if [ "$arch" = i686 ]; then
  exe=build/win32/Quorvane.exe
else
  exe=build/win32/twin/Quorvane.exe
  echo "This machine cannot run 32-bit Wine: using the 64-bit build of Quorvane ($exe)."
fi
