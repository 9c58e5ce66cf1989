#!/usr/bin/env bash
# How the launcher names a non-zero status (wine-exceptions.sh), on Wine's
# error output, without Wine. Each case: a status, the lines Wine wrote (";"
# between them) and what the launcher adds after "ended with status N". The
# illegal instruction line was saved from launcher_probe.exe fault; the
# others are Wine 8's wording for a null-pointer write and for exceptions it
# names by code.
# Usage: check-exceptions.sh
set -uo pipefail
# shellcheck source=wine-exceptions.sh
. "$(dirname "$0")/wine-exceptions.sh"
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT

ud2='wine: Unhandled illegal instruction at address 00401812 (thread 0100), starting debugger...'
null='wine: Unhandled page fault on write access to 00000000 at address 00401812 (thread 0024), starting debugger...'
other=', and another Windows process (one it started, or one of Wine'"'"'s) reported an unhandled exception,'
cases=$(cat <<CASES
29|$ud2|: an unhandled exception, 0xC000001D (illegal instruction)
1|$ud2|$other 0xC000001D (illegal instruction)
5|the probe runs;$null|: an unhandled exception, 0xC0000005 (access violation)
29|$null;$ud2|: an unhandled exception, 0xC000001D (illegal instruction)
9|wine: Unhandled exception 0xc0000409 in thread 24 at address 00401812 (thread 0024), starting debugger...|: an unhandled exception, 0xC0000409
3|wine: Unhandled exception 0x80000003 in thread 24 at address 00401812 (thread 0024), starting debugger...|: an unhandled exception, 0x80000003 (breakpoint)
137||: its exit code, or signal SIGKILL to the Linux process that ran it
134|$null|: its exit code, or signal SIGABRT to the Linux process that ran it$other 0xC0000005 (access violation)
3||
CASES
)

failed=0
while IFS='|' read -r status lines expected; do
  tr ';' '\n' <<<"$lines" >"$errors"
  said=$(meaning "$status")
  if [ "$said" = "$expected" ]; then
    echo "ok: status $status after \"$lines\""
  else
    echo "FAILED: status $status after \"$lines\": said \"$said\", not \"$expected\""
    failed=$((failed + 1))
  fi
done <<<"$cases"
echo "exception naming: $failed of $(wc -l <<<"$cases") cases failed"
[ "$failed" = 0 ]
