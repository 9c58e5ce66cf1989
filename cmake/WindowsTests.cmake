# The Windows test programs are a sub-project with a compiler of their own:
# GoogleTest needs the posix thread model, and the product must not have it.
# Their tests join this build's ctest run, each started under Wine.
include(ExternalProject)

# Wine runs 32-bit Windows programs through 32-bit Linux programs. Where the
# kernel cannot execute those, the tests are built for 64-bit Windows from the
# same sources and run under 64-bit Wine instead.
if(NOT DEFINED QUORVANE_TEST_ARCH)
  execute_process(COMMAND /usr/lib/wine/wine --version
    RESULT_VARIABLE wine32_status OUTPUT_QUIET ERROR_QUIET)
  if(wine32_status EQUAL 0)
    set(arch i686)
  else()
    set(arch x86_64)
  endif()
  set(QUORVANE_TEST_ARCH ${arch} CACHE STRING "Windows architecture of the test programs: i686 or x86_64")
endif()
message(STATUS "Windows tests: ${QUORVANE_TEST_ARCH}")

# The emulator is one executable path (test discovery does not pass on a
# list), so the prefix is baked into a small launcher in the build folder.
set(QUORVANE_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix-${QUORVANE_TEST_ARCH})
set(QUORVANE_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run)
file(WRITE ${QUORVANE_WINE_RUN} "#!/bin/sh\nexec '${QUORVANE_ROOT}/cmake/wine-run.sh' \
${QUORVANE_TEST_ARCH} '${QUORVANE_WINEPREFIX}' \"$@\"\n")
file(CHMOD ${QUORVANE_WINE_RUN} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
  GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The Quorvane.exe that can run here: the product itself, or where only
# 64-bit Wine runs, the same sources built the same way for 64-bit Windows.
if(QUORVANE_TEST_ARCH STREQUAL i686)
  set(QUORVANE_RUNNABLE_EXE ${CMAKE_BINARY_DIR}/Quorvane.exe)
  add_custom_target(runnable_program DEPENDS Quorvane)
else()
  set(QUORVANE_RUNNABLE_EXE ${CMAKE_BINARY_DIR}/twin/Quorvane.exe)
  ExternalProject_Add(runnable_program
    SOURCE_DIR ${QUORVANE_ROOT}
    BINARY_DIR ${CMAKE_BINARY_DIR}/twin
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${QUORVANE_ROOT}/cmake/mingw-x86_64-win32.cmake
      -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
      -DQUORVANE_WINDOWS_TESTS=OFF
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    TEST_COMMAND ""
  )
endif()

ExternalProject_Add(windows_tests
  SOURCE_DIR ${QUORVANE_ROOT}/tests/win32
  BINARY_DIR ${CMAKE_BINARY_DIR}/tests
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${QUORVANE_ROOT}/cmake/mingw-${QUORVANE_TEST_ARCH}-posix.cmake
    -DCMAKE_BUILD_TYPE=Debug
    -DQUORVANE_ROOT=${QUORVANE_ROOT}
    -DQUORVANE_PRODUCT_DIR=${CMAKE_BINARY_DIR}
    -DQUORVANE_RUNNABLE_EXE=${QUORVANE_RUNNABLE_EXE}
    -DCMAKE_CROSSCOMPILING_EMULATOR=${QUORVANE_WINE_RUN}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  TEST_COMMAND ""
  DEPENDS Quorvane runnable_program
)

enable_testing()
# Imports (each one checked to exist on Windows 2000 SP4), PE header and stripping.
add_test(NAME executable_checks
  COMMAND bash ${QUORVANE_ROOT}/tests/check-executable.sh $<TARGET_FILE:Quorvane>
    ${QUORVANE_ROOT}/tests/win32/imports-allowlist.txt)
file(WRITE ${CMAKE_BINARY_DIR}/windows-tests.cmake "subdirs(\"${CMAKE_BINARY_DIR}/tests\")\n")
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/windows-tests.cmake)
