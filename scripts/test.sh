#!/usr/bin/env bash
# Installs what is missing, builds both targets and runs every test suite,
# ending with one ctest summary over both.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset host >/dev/null
cmake --build --preset host
cmake --preset win32 >/dev/null
cmake --build --preset win32

# One test project over both builds, so that one summary counts every test.
printf 'subdirs("host")\nsubdirs("win32")\n' > build/CTestTestfile.cmake
# Every Windows test shares one X server for its windows.
xvfb-run -a -s "-screen 0 1024x768x24" \
  ctest --test-dir build --output-on-failure --timeout 300
