#!/usr/bin/env bash
# The house style over the files git tracks, one check at a time: "format",
# every C++ file is as .clang-format lays it out; "shellcheck", every shell
# script passes shellcheck at warning level. Each failing file is named, with
# the command that fixes it or what shellcheck found. Exits 1 when a file
# fails, 2 when the check cannot run.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  echo "usage: $0 format|shellcheck" >&2
  exit 2
}

require() {
  command -v "$1" >/dev/null || {
    echo "$1 is missing: scripts/install-deps.sh installs it" >&2
    exit 2
  }
}

# Tracked files, so that nothing under build/ or left over is checked.
cpp_files() {
  git ls-files -z -- '*.cpp' '*.h'
}

# Shell scripts are *.sh, and files without an extension whose first line
# names a shell (.ci/run).
shell_scripts() {
  local file
  while IFS= read -r -d '' file; do
    case ${file##*/} in
      *.sh) printf '%s\0' "$file" ;;
      *.*) ;;
      *)
        if awk 'NR == 1 { shell = /^#!.*[\/ ](ba)?sh( |$)/ } { exit } END { exit !shell }' \
          "$file"; then
          printf '%s\0' "$file"
        fi
        ;;
    esac
  done < <(git ls-files -z)
}

# The lines clang-format lays out differently depend on its version; the
# reference is Debian 12's clang-format 14.
check_format() {
  require clang-format
  [ -f .clang-format ] || { echo ".clang-format is missing" >&2; exit 2; }
  local file checked=0 failed=0
  while IFS= read -r -d '' file; do
    checked=$((checked + 1))
    if ! clang-format --dry-run -Werror -- "$file" >/dev/null 2>&1; then
      failed=$((failed + 1))
      echo "$file: not as .clang-format lays it out; fix it with: clang-format -i $file"
      clang-format -- "$file" | diff -u --label "$file" --label "$file (formatted)" -- "$file" - \
        || true
    fi
  done < <(cpp_files)
  report "$checked" "$failed" "C++ files"
}

check_shellcheck() {
  require shellcheck
  local file findings checked=0 failed=0
  while IFS= read -r -d '' file; do
    checked=$((checked + 1))
    if ! findings=$(shellcheck -S warning -- "$file" 2>&1); then
      failed=$((failed + 1))
      echo "$file: shellcheck -S warning finds:"
      printf '%s\n' "$findings"
    fi
  done < <(shell_scripts)
  report "$checked" "$failed" "shell scripts"
}

report() {
  local checked=$1 failed=$2 what=$3
  if [ "$checked" -eq 0 ]; then
    echo "no tracked $what found: is this a git checkout?" >&2
    exit 2
  fi
  echo "$failed of $checked $what failed"
  [ "$failed" -eq 0 ] || exit 1
}

[ $# -eq 1 ] || usage
case $1 in
  format) check_format ;;
  shellcheck) check_shellcheck ;;
  *) usage ;;
esac
