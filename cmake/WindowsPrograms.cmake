# The programs that run under Wine are a sub-project with a compiler of their
# own: GoogleTest needs the posix thread model, and the product must not have
# it. The top-level CMakeLists.txt is its root too (QUORVANE_WINDOWS_PROGRAMS):
# the machinery of wine/, the benchmark and, with QUORVANE_WINDOWS_TESTS, the
# Windows tests, which join this build's ctest run, each started under Wine.
include(ExternalProject)

# The emulator is one executable path, so the prefix is baked into a small
# launcher in the build folder.
set(QUORVANE_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(QUORVANE_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run)
file(WRITE ${QUORVANE_WINE_RUN} "#!/bin/sh\nexec '${QUORVANE_ROOT}/wine/wine-run.sh' \
'${QUORVANE_WINEPREFIX}' \"$@\"\n")
file(CHMOD ${QUORVANE_WINE_RUN} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
  GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# One build of the sub-project, in build/win32/DIR, with the tests or
# without; further arguments go to ExternalProject_Add.
function(quorvane_windows_programs name dir tests)
  ExternalProject_Add(${name}
    SOURCE_DIR ${QUORVANE_ROOT}
    BINARY_DIR ${CMAKE_BINARY_DIR}/${dir}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${QUORVANE_ROOT}/cmake/mingw-i686-posix.cmake
      -DCMAKE_BUILD_TYPE=Debug
      -DQUORVANE_WINDOWS_PROGRAMS=ON
      -DQUORVANE_WINDOWS_TESTS=${tests}
      -DQUORVANE_PRODUCT_DIR=${CMAKE_BINARY_DIR}
      -DCMAKE_CROSSCOMPILING_EMULATOR=${QUORVANE_WINE_RUN}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    TEST_COMMAND ""
    DEPENDS Quorvane
    ${ARGN})
endfunction()
# The machinery and the benchmark alone, which scripts/run.sh and
# scripts/bench.sh build (target windows_tools): the tests are no part of it.
quorvane_windows_programs(windows_tools tools OFF EXCLUDE_FROM_ALL TRUE)
if(NOT QUORVANE_WINDOWS_TESTS)
  return()
endif()
# Everything, the tests too, for scripts/test.sh.
quorvane_windows_programs(windows_programs programs ON)

enable_testing()
# Imports (each one checked to exist on Windows 2000 SP4), PE header and stripping.
add_test(NAME executable_checks
  COMMAND bash ${QUORVANE_ROOT}/tests/check-executable.sh $<TARGET_FILE:Quorvane>)
file(WRITE ${CMAKE_BINARY_DIR}/windows-tests.cmake "subdirs(\"${CMAKE_BINARY_DIR}/programs\")\n")
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/windows-tests.cmake)
