#!/usr/bin/env bash
# Checks that a brask.exe can load on Windows XP: the expected machine, a subsystem version
# no newer than XP's own, and imports from Windows' own DLLs alone, with none of the
# kernel32 functions that came after XP.
#   xp_imports_test.sh EXE OBJDUMP FORMAT MAX_SUBSYSTEM
# FORMAT is objdump's file format (pei-i386, pei-x86-64); MAX_SUBSYSTEM is major.minor
# (5.1 for 32-bit XP SP3, 5.2 for XP x64).
set -euo pipefail
exe=$1 objdump=$2 format=$3 max=$4
headers=$("$objdump" -p "$exe")
failed=0
fail() { echo "FAIL: $exe: $*"; failed=1; }

grep -q "file format $format\$" <<<"$headers" || fail "not of file format $format"

major=$(awk '/^MajorSubsystemVersion/ {print $2}' <<<"$headers")
minor=$(awk '/^MinorSubsystemVersion/ {print $2}' <<<"$headers")
if (( major * 100 + minor > ${max%.*} * 100 + ${max#*.} )); then
  fail "subsystem version $major.$minor is newer than $max"
fi

allowed='^(kernel32|user32|gdi32|comctl32|ole32|oleaut32|shell32|advapi32|msvcrt)\.dll$'
while read -r dll; do
  grep -qiE "$allowed" <<<"$dll" || fail "imports $dll, which is not one of Windows' own DLLs"
done < <(awk '/DLL Name:/ {print $3}' <<<"$headers")

# The imported names of kernel32, from the import tables only.
kernel32=$(awk '/DLL Name:/ {k = tolower($3) == "kernel32.dll"; next}
                /^$/ {k = 0} k && NF >= 3 && $1 ~ /^[0-9a-f]+$/ {print $NF}' <<<"$headers")
[ -n "$kernel32" ] || fail "no kernel32 imports found"
for newer in GetTickCount64 InitializeSRWLock AcquireSRWLockExclusive InitializeConditionVariable \
  SleepConditionVariableCS InitOnceExecuteOnce GetLocaleInfoEx LCIDToLocaleName FlsAlloc \
  CreateSymbolicLinkW GetFileInformationByHandleEx SetThreadStackGuarantee; do
  grep -qx "$newer" <<<"$kernel32" && fail "imports $newer, which Windows XP does not have"
done

if (( failed )); then
  echo "0 passed, 1 failed"
  exit 1
fi
echo "1 passed, 0 failed"
