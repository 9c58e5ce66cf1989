#!/bin/bash
# Checks the built Quorvane.exe for what lets it load on Windows 2000 SP4:
# its imports against the reviewed allowlist, the DLLs it links, its PE
# header, and that no debug information ships with it. Both lists it reads
# are beside it: imports-allowlist.txt and win2000-msvcrt.txt.
# Usage: check-executable.sh EXE
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 EXE" >&2
  exit 2
fi
exe=$1
allowlist=$(dirname "$0")/imports-allowlist.txt
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

[ -f "$exe" ] || fail "$exe does not exist"
[ -f "$allowlist" ] || fail "$allowlist does not exist"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The i686 objdump reads only i386 PE files.
"$objdump" -p "$exe" >"$work/headers" || fail "$exe is not a PE file for i386: $objdump -p cannot read it"

# The value of one "Name<tabs>value" line of objdump's PE header dump.
header_field() {
  awk -v name="$1" '$1 == name { print $2; exit }' "$work/headers"
}

# --- (a) Imports, exactly the allowlist ------------------------------------
# objdump lists each DLL of the import directory as "DLL Name: X.dll" and then
# one "<tab>vma<tab> hint  name" line per function. A function imported by
# ordinal only shows "<none>" in place of a name. DLL names are written in
# the allowlist's form: base name upper-cased, ".dll" lower-case, since the
# loader matches them case-insensitively.
awk '
  /^The Import Tables/ { inside = 1; next }
  inside && /^[^ \t]/ { inside = 0 }
  inside && /^\tDLL Name: / {
    dll = $3
    sub(/\.[dD][lL][lL]$/, "", dll)
    dll = toupper(dll) ".dll"
    next
  }
  inside && /^\t[0-9a-f]+\t +[0-9]+ +[^ ]+/ { print dll "!" $3 }
' "$work/headers" | LC_ALL=C sort >"$work/imports"

[ -s "$work/imports" ] || fail "no imports found in $exe: is it a PE file objdump understands?"
if grep -q '!<none>$' "$work/imports"; then
  fail "$exe imports by ordinal only, which cannot be checked by name:" \
    "$(grep '!<none>$' "$work/imports" | tr '\n' ' ')"
fi

# Imports made through the delay-load directory would escape the list above.
delay=$(awk '$1 == "Entry" && $2 == "d" { print $4 }' "$work/headers")
[ "${delay:-00000000}" = 00000000 ] || fail "$exe has delay-loaded imports; list them and check them by hand"

grep -v -e '^#' -e '^[[:space:]]*$' "$allowlist" >"$work/allowed.raw" || true
bad_lines=$(grep -v -E '^[A-Z0-9_]+\.dll![^[:space:]!]+$' "$work/allowed.raw" || true)
[ -z "$bad_lines" ] || fail "$allowlist has lines not of the form DLL.dll!function:"$'\n'"$bad_lines"
LC_ALL=C sort "$work/allowed.raw" >"$work/allowed"
duplicates=$(uniq -d "$work/allowed")
[ -z "$duplicates" ] || fail "$allowlist lists these more than once:"$'\n'"$duplicates"

new_imports=$(LC_ALL=C comm -23 "$work/imports" "$work/allowed")
gone_imports=$(LC_ALL=C comm -13 "$work/imports" "$work/allowed")
if [ -n "$new_imports" ]; then
  fail "$exe imports functions that are not in $allowlist:"$'\n'"$new_imports"$'\n'"Check that each exists on Windows 2000 SP4 (for msvcrt.dll, in the Windows 2000 SP4 export list) before adding it to the allowlist."
fi
if [ -n "$gone_imports" ]; then
  fail "$allowlist lists functions that $exe no longer imports; remove them so the list stays exact:"$'\n'"$gone_imports"
fi
echo "ok: the $(wc -l <"$work/imports") imported functions are exactly those in $allowlist"

# Every msvcrt name, against the exports of Windows 2000 SP4's own msvcrt.dll
# (first column of the list beside this script; its header says how it was
# derived).
msvcrt_exports=$(dirname "$0")/win2000-msvcrt.txt
[ -f "$msvcrt_exports" ] || fail "$msvcrt_exports does not exist"
grep -v '^#' "$msvcrt_exports" | cut -f1 | LC_ALL=C sort -u >"$work/msvcrt-exports"
sed -n 's/^MSVCRT\.dll!//p' "$work/imports" | LC_ALL=C sort -u >"$work/msvcrt-imports"
[ -s "$work/msvcrt-imports" ] || fail "$exe imports nothing from msvcrt: is the list of imports read right?"
missing_msvcrt=$(LC_ALL=C comm -23 "$work/msvcrt-imports" "$work/msvcrt-exports")
[ -z "$missing_msvcrt" ] ||
  fail "$exe imports msvcrt functions that Windows 2000 SP4's msvcrt.dll does not export:"$'\n'"$missing_msvcrt"
echo "ok: the $(wc -l <"$work/msvcrt-imports") msvcrt functions are all in $msvcrt_exports"

# --- (b) Only the system DLLs Windows 2000 always has ----------------------
unexpected_dlls=$(cut -d'!' -f1 "$work/imports" | sort -u |
  grep -v -x -E 'KERNEL32\.dll|USER32\.dll|GDI32\.dll|ADVAPI32\.dll|MSVCRT\.dll' || true)
[ -z "$unexpected_dlls" ] ||
  fail "$exe imports from DLLs other than KERNEL32, USER32, GDI32, ADVAPI32 and msvcrt:"$'\n'"$unexpected_dlls"
echo "ok: imports come only from $(cut -d'!' -f1 "$work/imports" | sort -u | tr '\n' ' ')"

# --- (c) A 32-bit GUI program with subsystem version 4.0 -------------------
magic=$(header_field Magic)
[ "$magic" = 010b ] || fail "$exe has optional-header magic ${magic:-none}, not 010b (PE32)"

# The COFF Machine field, read from the file: the WORD after the "PE\0\0"
# signature that e_lfanew (at offset 0x3c) points to.
pe_offset=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
signature_and_machine=$(od -An -tx1 -j"$pe_offset" -N6 "$exe" | tr -d ' \n')
[ "$signature_and_machine" = 504500004c01 ] ||
  fail "$exe: expected signature PE\\0\\0 and machine 0x014c (i386), found bytes $signature_and_machine"

subsystem=$(header_field Subsystem)
[ "$subsystem" = 00000002 ] || fail "$exe has subsystem ${subsystem:-none}, not 2 (Windows GUI)"

# Windows 2000 is 5.0, but 4.0 is what loads there and on NT 4 and 98 alike.
major=$(header_field MajorSubsystemVersion)
minor=$(header_field MinorSubsystemVersion)
[ "$major.$minor" = 4.0 ] || fail "$exe has subsystem version $major.$minor, not 4.0"

dll_characteristics=$(header_field DllCharacteristics)
[ -n "$dll_characteristics" ] || fail "$exe: no DllCharacteristics in the PE header"
((0x$dll_characteristics & 0x40)) || fail "$exe: DllCharacteristics 0x$dll_characteristics lacks DYNAMIC_BASE (0x40)"
((0x$dll_characteristics & 0x100)) || fail "$exe: DllCharacteristics 0x$dll_characteristics lacks NX_COMPAT (0x100)"
echo "ok: PE32 for i386 (0x14c), Windows GUI subsystem 4.0, DllCharacteristics 0x$dll_characteristics with DYNAMIC_BASE and NX_COMPAT"

# --- (d) Stripped ----------------------------------------------------------
debug_sections=$("$objdump" -h "$exe" | awk '$2 ~ /^\.debug/ { print $2 }')
[ -z "$debug_sections" ] || fail "$exe carries debug sections:"$'\n'"$debug_sections"

# A stripped PE has no COFF symbol table: objdump says "no symbols".
symbols=$("$objdump" -t "$exe" | awk '/^SYMBOL TABLE:/ { table = 1; next } table && NF > 0')
[ "$symbols" = "no symbols" ] || fail "$exe has a symbol table; link it with -s"

# Nor a debug directory pointing at a separate symbol file.
debug_directory=$(awk '$1 == "Entry" && $2 == "6" { print $4 }' "$work/headers")
[ "${debug_directory:-00000000}" = 00000000 ] || fail "$exe has a debug directory of 0x$debug_directory bytes"
echo "ok: no debug sections, no symbol table, no debug directory"
