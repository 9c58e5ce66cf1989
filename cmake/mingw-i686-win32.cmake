# The product toolchain. The win32 thread model links no winpthread, whose
# static copy imports functions that Windows 2000 does not have.
set(QUORVANE_MINGW_ARCH i686)
set(QUORVANE_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
