# The program built exactly as the product, but for 64-bit Windows: where
# 32-bit Wine cannot run, this twin is the Quorvane.exe that tests and the
# benchmark start. Never shipped.
set(QUORVANE_MINGW_ARCH x86_64)
set(QUORVANE_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
