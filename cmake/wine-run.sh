#!/usr/bin/env bash
# Runs a Windows program under Wine:  wine-run.sh PREFIX_ROOT PROGRAM [ARGS...]
#
# Every program runs in a Wine prefix below PREFIX_ROOT, named by BRASK_WINE_PREFIX
# (default "default"), under the Unix locale BRASK_WINE_LOCALE (default en_US.UTF-8), which
# Wine takes as the system locale. A Wine process started under another locale resets the
# prefix's regional settings, so each locale needs a prefix of its own. Every named prefix
# is a copy of one base prefix, BRASK_WINE_BASE (default PREFIX_ROOT/base), which its first
# use creates with wineboot. The base is a 64-bit prefix, where 32-bit programs run as well
# (through WOW64), so the prefixes of the 64-bit and the 32-bit build may share one base on
# the same file system. A named prefix shares the base's system DLLs through hard links:
# a file of drive_c/windows/system32 (64-bit) or drive_c/windows/syswow64 (32-bit) is the
# same file in the base and in every prefix made from it. A test that puts a DLL of its
# own there replaces the file (cp --remove-destination), never writes into it.
# BRASK_WINE_SYSTEM_DLLS lists such DLLs (test doubles), put in the prefix's system
# directory in place of Wine's own and loaded in their place; BRASK_WINE_DLL_OVERRIDES adds
# to WINEDLLOVERRIDES ("wevtapi=" leaves a DLL out, as Windows XP lacks it). The program is
# ended after BRASK_WINE_TIMEOUT seconds (default 300).
#
# Every start goes through Wine's 64-bit loader, never through Debian's wine launcher, which
# takes the 32-bit loader whenever wine32 is installed: a 64-bit program then never depends
# on whether the kernel runs 32-bit code. For a 32-bit program the 64-bit loader starts the
# 32-bit one itself (WINELOADER names the 64-bit loader, whose name less "64" is the 32-bit
# one), natively or under the emulator registered for i386 programs.
#
# A program that cannot run fails, with one line on standard error that says why, before
# any prefix is made: Wine's 64-bit loader is missing, or the program is 32-bit and the
# 32-bit loader is (wine32 is not installed; the 64-bit loader would print nothing and
# exit 0). A GoogleTest program that ends without its result line ("[  PASSED  ]") has not
# run its tests, whatever its exit status: that fails too. BRASK_WINE_DIR names the folder
# of the loaders (default /usr/lib/wine).
set -euo pipefail

root=$1
shift
name=${BRASK_WINE_PREFIX:-default}
base=${BRASK_WINE_BASE:-$root/base}
export LC_ALL=${BRASK_WINE_LOCALE:-en_US.UTF-8}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${BRASK_WINE_DLL_OVERRIDES:+;$BRASK_WINE_DLL_OVERRIDES}"
prefix="$root/$name"
wine_dir=${BRASK_WINE_DIR:-/usr/lib/wine}
wine64=$wine_dir/wine64
export WINELOADER=$wine64

cannot_run() {
  echo "wine-run.sh: $1 cannot run: $2" >&2
  exit 1
}
program=$1
[ -x "$wine64" ] || cannot_run "$program" "Wine's 64-bit loader $wine64 is missing (install wine64)"
# A PE file's optional header starts with its magic: 0x10b for 32-bit programs (PE32),
# 0x20b for 64-bit ones (PE32+).
pe_magic() {
  local header
  header=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || return 0
  [ -n "$header" ] && od -An -tx2 -j$((header + 24)) -N2 "$1" 2>/dev/null | tr -d ' '
}
if [ -f "$program" ] && [ "$(pe_magic "$program")" = 010b ] && [ ! -x "$wine_dir/wine" ]; then
  cannot_run "$program" "it is a 32-bit program and the 32-bit Wine loader $wine_dir/wine is missing (wine32 is not installed)"
fi
gtest=false
if [ -f "$program" ] && grep -qaF '[  PASSED  ]' "$program"; then gtest=true; fi

mkdir -p "$root" "$(dirname "$base")"
(
  flock 9
  if [ ! -f "$base/system.reg" ]; then
    rm -rf "$base"
    WINEPREFIX="$base" WINEARCH=win64 LC_ALL=en_US.UTF-8 timeout "${BRASK_WINE_BOOT_TIMEOUT:-900}" "$wine64" wineboot --init \
      >/dev/null 2>&1
    WINEPREFIX="$base" timeout 60 wineserver --wait
  fi
  if [ ! -f "$prefix/system.reg" ]; then
    rm -rf "$prefix" "$prefix.new"
    cp -al "$base" "$prefix.new"
    # Only the system DLL folders stay shared; the registry, the .ini files and the rest
    # change within a prefix, so each prefix gets its own copy of them.
    (cd "$base" && find . -type f ! -path './drive_c/windows/system32/*' \
      ! -path './drive_c/windows/syswow64/*' -print0) |
      while IFS= read -r -d '' file; do
        cp --remove-destination "$base/$file" "$prefix.new/$file"
      done
    mv "$prefix.new" "$prefix"
  fi
) 9>"$base.lock"

# A 32-bit DLL goes where a 32-bit process finds its system directory in a 64-bit prefix.
# The copy replaces the hard link, so that the other prefixes keep Wine's DLL.
for dll in ${BRASK_WINE_SYSTEM_DLLS:-}; do
  name=$(basename "$dll" .dll)
  folder=system32
  if [ -d "$prefix/drive_c/windows/syswow64" ] && [[ $(file -b "$dll") != PE32+* ]]; then
    folder=syswow64
  fi
  cp --remove-destination "$dll" "$prefix/drive_c/windows/$folder/$name.dll"
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$name=n"
done

export WINEPREFIX="$prefix"
if ! $gtest; then
  exec timeout "${BRASK_WINE_TIMEOUT:-300}" "$wine64" "$@"
fi
# The program's output passes through as it comes, and is kept to look for the result line.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
set +e
timeout "${BRASK_WINE_TIMEOUT:-300}" "$wine64" "$@" | tee "$output"
status=${PIPESTATUS[0]}
set -e
if [ "$status" = 0 ] && ! grep -q '^\[  PASSED  \] ' "$output"; then
  echo "wine-run.sh: $program printed no GoogleTest result: its tests did not run" >&2
  exit 1
fi
exit "$status"
