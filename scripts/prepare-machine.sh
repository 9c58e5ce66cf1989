#!/usr/bin/env bash
# Makes a Wine prefix look like a given Windows machine for Quorvane.exe:
# the version Wine reports to the program, CSDVersion, the driver key with or
# without the program's value, a Song typeface for the dialogs' 宋体 with
# Windows 2000's metrics (a dialog unit 1.5 pixels each way, so the labels in
# the background picture stand level with the fields), and Wine drawing the
# program's window frames itself, as Windows does, with no window manager.
# Usage: prepare-machine.sh PREFIX PROFILE CSD_VERSION VALUE
#   PROFILE: win2k, winxp, win2003, nt40, win98, winme, win95
#   CSD_VERSION: e.g. 0x400; VALUE: absent, 0 or 1
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=$1 profile=$2 csd_version=$3 value=$4

case $value in
  absent) value_line='"Quorvane"=-' ;;
  0|1) value_line=$(printf '"Quorvane"=dword:%08x' "$value") ;;
  *) echo "prepare-machine.sh: VALUE is absent, 0 or 1" >&2; exit 2 ;;
esac

machine=$prefix.machine.reg
mkdir -p "$(dirname "$prefix")"
# regedit reads a REGEDIT4 file in the ANSI code page, 936 here.
iconv -f UTF-8 -t CP936 > "$machine" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"宋体"="AR PL SungtiL GB"

[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\Quorvane.exe]
"Version"="$profile"

[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\Quorvane.exe\\X11 Driver]
"Managed"="N"

[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Windows]
"CSDVersion"=dword:$(printf '%08x' "$((csd_version))")

[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Atapi\\Parameters]
$value_line
REG
machine_path=$(realpath "$machine")
cmake/wine-run.sh "$prefix" regedit /S "Z:${machine_path//\//\\}"
