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
set -euo pipefail

root=$1
shift
name=${BRASK_WINE_PREFIX:-default}
base=${BRASK_WINE_BASE:-$root/base}
export LC_ALL=${BRASK_WINE_LOCALE:-en_US.UTF-8}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${BRASK_WINE_DLL_OVERRIDES:+;$BRASK_WINE_DLL_OVERRIDES}"
prefix="$root/$name"
wine64=/usr/lib/wine/wine64
export WINELOADER=$wine64

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
exec timeout "${BRASK_WINE_TIMEOUT:-300}" "$wine64" "$@"
