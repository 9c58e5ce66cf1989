#!/usr/bin/env bash
# Measures Quorvane against its budgets: start-up time and peak working set
# against a bare dialog from the same template (both under Wine, alternating,
# 20 runs each), and the size and imports of the shipped Quorvane.exe.
# Exits non-zero when a budget is exceeded. Not part of the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-20}

scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 >/dev/null
exe=build/win32/Quorvane.exe
prefix=$PWD/build/bench/wineprefix
# Windows 2000 SP4 without the driver value (tests/win32/Machine.h).
cmake/wine-run.sh "$prefix" build/win32/tests/prepare_machine.exe
bench=build/win32/tests/bench
result=$(cmake/wine-run.sh "$prefix" "$bench/startup_bench.exe" "$runs" "$exe" "$bench/bare_dialog.exe")
echo "$result"

product=build/win32/Quorvane.exe
# The .rsrc section's size, and everything else in the file (the section
# takes its size rounded up to the 512-byte file alignment).
rsrc_size=$((0x$(i686-w64-mingw32-objdump -h "$product" | awk '$2 == ".rsrc" { print $3 }')))
rsrc_in_file=$(((rsrc_size + 511) / 512 * 512))
total=$(stat -c %s "$product")
rest=$((total - rsrc_in_file))
imports=$(i686-w64-mingw32-objdump -p "$product" | awk '/DLL Name:/ { in_dll = 1; next } in_dll && NF == 3 && $1 ~ /^[0-9a-f]+$/ { n++ } END { print n }')
echo "$product: $total bytes; .rsrc $rsrc_size bytes; everything else $rest bytes; $imports imported functions"

over=0
check() {  # name value budget
  if awk -v v="$2" -v b="$3" 'BEGIN { exit !(v <= b) }'; then
    echo "within budget: $1 $2 <= $3"
  else
    echo "OVER BUDGET: $1 $2 > $3"
    over=1
  fi
}
check "start-up ratio" "$(sed -n 's/^start-up.*ratio //p' <<<"$result")" 1.10
check "peak working set ratio" "$(sed -n 's/^peak working set.*ratio //p' <<<"$result")" 1.10
check "bytes outside .rsrc" "$rest" 32768
exit $over
