# shellcheck shell=bash disable=SC2154 # $errors is the caller's
# What a Windows program's non-zero status means, from what Wine wrote on
# its standard error: sourced by wine-run.sh, and checked without Wine on
# saved Wine output by check-exceptions.sh. Each function reads the file
# $errors.

# The codes of the unhandled exceptions Wine reported, one a line, each with
# its name where it has one. Wine words its report "wine: Unhandled illegal
# instruction at address ... (thread 0024), starting debugger..." and names
# the commonest exceptions in words, the others by code.
reported_exceptions() {
  local what code
  sed -n 's/^wine: Unhandled \(.*\), starting debugger.*/\1/p' "$errors" |
    while IFS= read -r what; do
      case $what in
        'page fault'*) echo '0xC0000005 (access violation)' ;;
        'illegal instruction'*) echo '0xC000001D (illegal instruction)' ;;
        'division by zero'*) echo '0xC0000094 (integer division by zero)' ;;
        'overflow'*) echo '0xC0000095 (integer overflow)' ;;
        'array bounds'*) echo '0xC000008C (array bounds exceeded)' ;;
        'stack overflow'*) echo '0xC00000FD (stack overflow)' ;;
        'privileged instruction'*) echo '0xC0000096 (privileged instruction)' ;;
        'alignment'*) echo '0x80000002 (datatype misalignment)' ;;
        '^C'*) echo '0xC000013A (Ctrl+C exit)' ;;
        'exception 0x'*)
          code=${what#exception 0x}
          code=0x${code%% *}
          case ${code,,} in
            0x80000003) echo '0x80000003 (breakpoint)' ;;
            0xc0000006) echo '0xC0000006 (in-page error)' ;;
            *) echo "0x$(printf '%08X' "$code")" ;;
          esac
          ;;
      esac
    done
}

# The exception that is the program's own status $1: Linux keeps the low
# byte of a Windows exit code, and a program that an exception ended exits
# with the exception's code. Reports that do not end in that byte came from
# another Windows process, one the program started or one of Wine's.
own_exception() {
  local code
  while IFS= read -r code; do
    [ $((${code%% *} & 0xFF)) = "$1" ] && echo "$code" && return
  done < <(reported_exceptions)
  return 1
}

# What the non-zero status $1 means, for the line that reports it; it claims
# only what the run shows.
meaning() {
  local own other signal
  if own=$(own_exception "$1"); then
    echo ": an unhandled exception, $own"
    return
  fi
  # A status from 129 to 192 is an exit code, or a signal that killed the
  # Linux process that ran the program (Wine's loader, or qemu).
  if [ "$1" -gt 128 ] && signal=$(kill -l $(($1 - 128)) 2>/dev/null); then
    echo -n ": its exit code, or signal SIG$signal to the Linux process that ran it"
  fi
  other=$(reported_exceptions | head -n 1)
  if [ -n "$other" ]; then
    echo -n ", and another Windows process (one it started, or one of Wine's) reported an" \
      "unhandled exception, $other"
  fi
  echo
}
