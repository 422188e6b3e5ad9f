#!/usr/bin/env bash
# wine-run.sh with stand-ins for Wine's loaders and wineserver: a program that cannot run
# fails with one line saying why, and a GoogleTest program fails unless it printed its
# result line. The programs are PE headers alone; the stand-in loader prints what the
# test put beside each program as PROGRAM.out, and exits with PROGRAM.status (default 0).
#
#   wine_run_test.sh WINE_RUN
set -uo pipefail
wine_run=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/wine" "$work/bin" "$work/programs"
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

cat >"$work/wine/wine64" <<'STANDIN'
#!/usr/bin/env bash
if [ "$1" = wineboot ]; then mkdir -p "$WINEPREFIX" && touch "$WINEPREFIX/system.reg"; exit 0; fi
echo "$1" >>"$(dirname "$0")/started"
[ -f "$1.out" ] && cat "$1.out"
exit "$(cat "$1.status" 2>/dev/null || echo 0)"
STANDIN
printf '#!/bin/sh\nexit 0\n' >"$work/bin/wineserver"
chmod +x "$work/wine/wine64" "$work/bin/wineserver"
export PATH="$work/bin:$PATH" BRASK_WINE_DIR="$work/wine"

# pe NAME 32|64 [TEXT]: a program of that machine, holding TEXT.
pe() {
  local magic='\x0b\x01'
  [ "$2" = 64 ] && magic='\x0b\x02'
  { printf 'MZ'; head -c 58 /dev/zero; printf '\x40\0\0\0PE\0\0'; head -c 20 /dev/zero
    printf "$magic"; printf '%s' "${3:-}"; } >"$work/programs/$1"
}
pe plain64 64
pe plain32 32
pe gtest64 64 'ColoredPrintf [  PASSED  ] '

# run WANT_STATUS WANT_LINE PROGRAM: one run, its exit status and its last line of
# standard error (empty: none expected).
run() {
  local want=$1 line=$2 program=$work/programs/$3 got=0
  "$wine_run" "$work/root" "$program" >"$work/out" 2>"$work/err" || got=$?
  [ "$got" = "$want" ] || fail "$3 ended with $got, not $want: $(cat "$work/err")"
  if [ -n "$line" ]; then
    [ "$(wc -l <"$work/err")" = 1 ] && grep -qF -- "$line" "$work/err" ||
      fail "$3 said '$(cat "$work/err")', not one line with '$line'"
  else
    [ ! -s "$work/err" ] || fail "$3 said '$(cat "$work/err")'"
  fi
}

# No 32-bit loader: a 32-bit program is refused before it starts; a 64-bit one runs.
run 1 "plain32 cannot run: it is a 32-bit program and the 32-bit Wine loader $work/wine/wine is missing" plain32
grep -qx "$work/programs/plain32" "$work/wine/started" 2>/dev/null && fail "the 32-bit program was started"
run 0 "" plain64  # a program that is not a GoogleTest one may print nothing
# With the 32-bit loader, the 32-bit program runs too.
printf '#!/bin/sh\nexit 0\n' >"$work/wine/wine" && chmod +x "$work/wine/wine"
run 0 "" plain32

# A GoogleTest program: its result line passes it, its failure fails it, silence fails it.
printf '[==========] 3 tests ran.\r\n[  PASSED  ] 3 tests.\r\n' >"$work/programs/gtest64.out"
run 0 "" gtest64
grep -qF '[  PASSED  ] 3 tests.' "$work/out" || fail "the program's output did not pass through: $(cat "$work/out")"
printf '[  FAILED  ] 1 test, listed below:\n' >"$work/programs/gtest64.out"
echo 1 >"$work/programs/gtest64.status"
run 1 "" gtest64
: >"$work/programs/gtest64.out"
echo 0 >"$work/programs/gtest64.status"
run 1 "gtest64 printed no GoogleTest result: its tests did not run" gtest64

# No Wine at all.
rm "$work/wine/wine64"
run 1 "plain64 cannot run: Wine's 64-bit loader $work/wine/wine64 is missing" plain64

[ "$failures" -eq 0 ] || exit 1
echo "wine-run.sh: passed"
