#!/usr/bin/env bash
# Runs a Windows program under Wine:  wine-run.sh PREFIX_ROOT PROGRAM [ARGS...]
#
# Every program runs in a Wine prefix below PREFIX_ROOT, named by BRASK_WINE_PREFIX
# (default "default"), under the Unix locale BRASK_WINE_LOCALE (default en_US.UTF-8), which
# Wine takes as the system locale. A Wine process started under another locale resets the
# prefix's regional settings, so each locale needs a prefix of its own. The first use of
# PREFIX_ROOT creates a base prefix with wineboot; every named prefix is a copy of it that
# shares its system DLLs through hard links. The program is ended after
# BRASK_WINE_TIMEOUT seconds (default 300).
set -euo pipefail

root=$1
shift
name=${BRASK_WINE_PREFIX:-default}
export LC_ALL=${BRASK_WINE_LOCALE:-en_US.UTF-8}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
prefix="$root/$name"

mkdir -p "$root"
(
  flock 9
  if [ ! -f "$root/base/system.reg" ]; then
    rm -rf "$root/base"
    WINEPREFIX="$root/base" LC_ALL=en_US.UTF-8 timeout 300 wine wineboot --init >/dev/null 2>&1
    WINEPREFIX="$root/base" timeout 60 wineserver --wait
  fi
  if [ ! -f "$prefix/system.reg" ]; then
    rm -rf "$prefix" "$prefix.new"
    cp -al "$root/base" "$prefix.new"
    # Only the system DLL folders stay shared; the registry, the .ini files and the rest
    # change within a prefix, so each prefix gets its own copy of them.
    (cd "$root/base" && find . -type f ! -path './drive_c/windows/system32/*' \
      ! -path './drive_c/windows/syswow64/*' -print0) |
      while IFS= read -r -d '' file; do
        cp --remove-destination "$root/base/$file" "$prefix.new/$file"
      done
    mv "$prefix.new" "$prefix"
  fi
) 9>"$root/.lock"

export WINEPREFIX="$prefix"
exec timeout "${BRASK_WINE_TIMEOUT:-300}" wine "$@"
