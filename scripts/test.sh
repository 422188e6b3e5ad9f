#!/usr/bin/env bash
# Builds everything from scratch with warnings as errors and runs every test: the Linux
# build natively, then the 64-bit and the 32-bit Windows build cross-compiled and run under
# Wine.
#
#   test.sh [--x86=auto|native|emulated|none]
#
# How the 32-bit Windows tree runs its tests, by default as this machine allows:
#   native    every test, where the kernel runs 32-bit programs;
#   emulated  where the kernel runs none and QEMU is registered for them (install-deps.sh
#             does that): the tests where a 32-bit program can differ from a 64-bit one,
#             with deadlines fit for a start that takes a minute;
#   none      the tree is built, and no test of it runs.
# Forcing a way tries it on any machine as far as the machine allows: "emulated" on a
# kernel that runs 32-bit programs runs that set natively.
set -euo pipefail
cd "$(dirname "$0")/.."

x86=auto
for arg in "$@"; do
  case $arg in
    --x86=auto | --x86=native | --x86=emulated | --x86=none) x86=${arg#--x86=} ;;
    *) echo "usage: test.sh [--x86=auto|native|emulated|none]" >&2; exit 2 ;;
  esac
done
x86_why=""
i386_entry=/proc/sys/fs/binfmt_misc/qemu-i386
emulator_registered() { [ -e "$i386_entry" ] && [ "$(head -1 "$i386_entry")" = enabled ]; }
if [ "$x86" = auto ]; then
  if [ ! -x /usr/lib/wine/wine ]; then
    x86=none x86_why="the 32-bit Wine (wine32) is not installed"
  elif emulator_registered; then
    x86=emulated
  elif /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    x86=native
  else
    x86=none x86_why="this kernel runs no 32-bit program and no emulator is registered for them"
  fi
else
  x86_why="as asked (--x86=$x86)"
fi

rm -rf build/linux
cmake -S . -B build/linux -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRASK_WERROR=ON
cmake --build build/linux
ctest --test-dir build/linux --no-tests=error --output-on-failure --timeout 300

# The Debian package of the Linux program: built, installed, started and removed.
bash tests/package/deb_test.sh build/linux

# The fuzz targets, built with clang under AddressSanitizer and UndefinedBehaviorSanitizer,
# each run for 30 seconds from its seed corpus.
rm -rf build/fuzz
bash scripts/fuzz.sh 30

# The Windows builds, 64-bit and 32-bit: brask.exe and every test cross-built with
# MinGW-w64; the tests run under Wine (the 32-bit ones under the 32-bit Wine, through
# WOW64), in Wine prefixes inside each build directory, and the window under Xvfb. Every
# prefix of both builds and of the release check is a copy of one base prefix, made once.
rm -rf build/wine
export BRASK_WINE_BASE=$PWD/build/wine/base

# windows_build DIR TOOLCHAIN: a Windows build from scratch.
windows_build() {
  rm -rf "$1"
  cmake -S . -B "$1" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/$2.cmake" -DBRASK_WERROR=ON
  cmake --build "$1" -j2
}

# The base prefix first, so that no test's deadline pays for it. Where 32-bit programs run,
# wineboot gives it its 32-bit half too: about 5 minutes under emulation.
start=$SECONDS
BRASK_WINE_PREFIX=ready cmake/wine-run.sh "$PWD/build/wine" cmd /c exit
echo "Wine base prefix made in $((SECONDS - start)) s"

windows_build build/windows mingw-w64-x86_64
ctest --test-dir build/windows --no-tests=error --output-on-failure --timeout 600

# For 32-bit Windows XP SP3 and every later Windows.
windows_build build/windows-x86 mingw-w64-i686
start=$SECONDS
case $x86 in
  native)
    emulator_registered && x86_why="$x86_why; 32-bit programs go through the registered emulator here"
    echo "32-bit tree: every test, natively${x86_why:+ ($x86_why)}"
    # Each test program on its own, without the one that gathers some of them for emulation.
    ctest --test-dir build/windows-x86 --no-tests=error --output-on-failure --timeout 600 \
      -LE '^x86-emulated$' ;;
  emulated)
    # A Wine start takes about a minute under emulation, so the deadlines of the windows
    # and of each Wine process are stretched, and only the tests labelled x86-emulated run,
    # linked into one program: the logic on 32-bit types, the Event Log API and WMI sources,
    # the window. The real brask.exe is driven end to end on both sources by the release
    # check below.
    export BRASK_WAIT_SCALE=10 BRASK_WINE_TIMEOUT=3000
    emulator_registered || x86_why="no emulator is registered: the emulated set runs natively"
    echo "32-bit tree: emulated${x86_why:+ ($x86_why)}; the tests of" \
      "$(ctest --test-dir build/windows-x86 --print-labels | sed -n 's/^  brask_/brask_/p' | paste -sd ' ')" \
      "in one program, and the release check's Number-mode run of brask.exe on each source"
    ctest --test-dir build/windows-x86 --no-tests=error --output-on-failure --timeout 3000 -L x86-emulated ;;
  none)
    echo "32-bit tree: built with warnings as errors; no test run: $x86_why" ;;
esac
echo "32-bit tree ($x86): $((SECONDS - start)) s"
export BRASK_X86_RUN=$x86

# The release files, built from scratch into dist/: the 64-bit and the 32-bit brask.exe
# each zipped with its README.txt, the Debian package, SHA256SUMS. Checked: what each zip
# holds, each brask.exe's machine, manifest and loadability on Windows XP, the package's
# version, the checksums, and each shipped brask.exe driven under Wine (the 32-bit one as
# its tree ran: natively, emulated, or not at all).
bash scripts/release.sh
bash tests/package/release_test.sh dist
