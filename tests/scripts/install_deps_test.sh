#!/usr/bin/env bash
# install-deps.sh under a mirror caught mid-sync, with stand-ins for apt-get, dpkg and
# dpkg-query on PATH: `apt-get update` always fails, and so does every transaction that
# holds an i386 package. Nothing is installed for real.
#
#   install_deps_test.sh SCRIPT
set -uo pipefail
script=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"

# apt-get records its calls; an install succeeds unless it holds an i386 package or the
# package named by FAIL_PACKAGE, and marks its packages as installed.
cat >"$work/bin/apt-get" <<'STANDIN'
#!/usr/bin/env bash
echo "apt-get $*" >>"$STANDIN_DIR/calls"
[ "$1" = update ] && exit 100
for p in "$@"; do
  case $p in *:i386 | "$FAIL_PACKAGE") echo "E: cannot install $p" >&2; exit 100 ;; esac
done
[ "$2" = -s ] && exit 0
for p in "$@"; do case $p in -*) ;; install) ;; *) echo "$p" >>"$STANDIN_DIR/installed" ;; esac; done
STANDIN
cat >"$work/bin/dpkg-query" <<'STANDIN'
#!/usr/bin/env bash
grep -qx -- "${!#}" "$STANDIN_DIR/installed" 2>/dev/null && printf 'install ok installed'
STANDIN
printf '#!/bin/sh\necho i386\n' >"$work/bin/dpkg"
printf '#!/bin/sh\n"$@"\n' >"$work/bin/sudo"
printf '#!/bin/sh\n' >"$work/bin/sleep"
chmod +x "$work/bin"/*

failures=0
# case_ NAME EXPECTED_EXIT EXPECTED_LINE [VAR=VALUE...]: one run of the script from nothing
# installed; its output must hold the line, and where it gets that far, exactly two
# transactions must have been tried: the 64-bit packages alone, then the i386 ones alone.
case_() {
  local name=$1 want=$2 line=$3
  shift 3
  rm -f "$work/calls" "$work/installed"
  local out status
  out=$(env PATH="$work/bin:$PATH" STANDIN_DIR="$work" FAIL_PACKAGE=none "$@" bash "$script" 2>&1)
  status=$?
  local installs
  installs=$(grep -c '^apt-get install -y' "$work/calls")
  if [ "$status" != "$want" ] || ! grep -qxF -- "$line" <<<"$out" ||
    [ "$(grep -c '^apt-get update' "$work/calls")" != 3 ] ||
    grep '^apt-get install -y' "$work/calls" | head -1 | grep -q ':i386' ||
    { [ "$installs" = 2 ] && ! grep '^apt-get install -y' "$work/calls" | tail -1 |
      grep -qE '^apt-get install -y -qq --no-install-recommends( [^ ]+:i386)+$'; }; then
    echo "FAIL $name: exit $status (wanted $want), output:"
    echo "$out"
    echo "calls:"
    cat "$work/calls"
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

case_ "i386 index broken" 0 \
  "32-bit Windows tests: the 32-bit Wine (wine32:i386) could not be installed; they will be built, but not run until this succeeds"
case_ "i386 index broken, a release" 1 \
  "32-bit Windows tests: the 32-bit Wine (wine32:i386) could not be installed, and BRASK_REQUIRE_X86=1 asks for them" \
  BRASK_REQUIRE_X86=1
case_ "a 64-bit package missing" 1 "These packages could not be installed: cmake" FAIL_PACKAGE=cmake
grep -q "cmake" "$work/installed" 2>/dev/null && { echo "FAIL: cmake marked installed"; failures=$((failures + 1)); }
out=$(env PATH="$work/bin:$PATH" STANDIN_DIR="$work" FAIL_PACKAGE=none bash "$script" 2>&1)
grep -qx "Package lists: apt-get update failed 3 times; going on with the lists that did download" <<<"$out" ||
  { echo "FAIL: no line on the failed update"; failures=$((failures + 1)); }
exit $((failures > 0))
