# The toolchain of the Windows test programs on a machine whose kernel cannot
# run 32-bit Linux programs, and so cannot run 32-bit Wine: the same sources,
# built for 64-bit Windows and run under 64-bit Wine. Never used for the product.
set(QUORVANE_MINGW_ARCH x86_64)
set(QUORVANE_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
