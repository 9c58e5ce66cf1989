# Shared part of the mingw-w64 toolchains. The including file sets
# QUORVANE_MINGW_ARCH (i686) and QUORVANE_MINGW_THREADS (win32 or
# posix) before including this one.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${QUORVANE_MINGW_ARCH})

set(triple ${QUORVANE_MINGW_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-${QUORVANE_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${triple}-g++-${QUORVANE_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
