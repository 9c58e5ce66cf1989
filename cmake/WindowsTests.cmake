# The Windows test programs are a sub-project with a compiler of their own:
# GoogleTest needs the posix thread model, and the product must not have it.
# Their tests join this build's ctest run, each started under Wine.
include(ExternalProject)

# The emulator is one executable path, so the prefix is baked into a small
# launcher in the build folder.
set(QUORVANE_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(QUORVANE_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run)
file(WRITE ${QUORVANE_WINE_RUN} "#!/bin/sh\nexec '${QUORVANE_ROOT}/cmake/wine-run.sh' \
'${QUORVANE_WINEPREFIX}' \"$@\"\n")
file(CHMOD ${QUORVANE_WINE_RUN} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
  GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

ExternalProject_Add(windows_tests
  SOURCE_DIR ${QUORVANE_ROOT}/tests/win32
  BINARY_DIR ${CMAKE_BINARY_DIR}/tests
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${QUORVANE_ROOT}/cmake/mingw-i686-posix.cmake
    -DCMAKE_BUILD_TYPE=Debug
    -DQUORVANE_ROOT=${QUORVANE_ROOT}
    -DQUORVANE_PRODUCT_DIR=${CMAKE_BINARY_DIR}
    -DCMAKE_CROSSCOMPILING_EMULATOR=${QUORVANE_WINE_RUN}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  TEST_COMMAND ""
  DEPENDS Quorvane
)

enable_testing()
# Imports (each one checked to exist on Windows 2000 SP4), PE header and stripping.
add_test(NAME executable_checks
  COMMAND bash ${QUORVANE_ROOT}/tests/check-executable.sh $<TARGET_FILE:Quorvane>
    ${QUORVANE_ROOT}/tests/win32/imports-allowlist.txt)
file(WRITE ${CMAKE_BINARY_DIR}/windows-tests.cmake "subdirs(\"${CMAKE_BINARY_DIR}/tests\")\n")
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/windows-tests.cmake)
