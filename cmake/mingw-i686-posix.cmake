# The toolchain of the Windows test programs only: GoogleTest needs std::mutex,
# which gcc 12 offers only in the posix thread model. Never used for the product.
set(QUORVANE_MINGW_ARCH i686)
set(QUORVANE_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
