#!/usr/bin/env bash
# Installs, from Debian's packages, everything the project needs to build, run and test
# both desktop builds. Safe to run again.
set -euo pipefail

# Wine's X11 driver loads these at run time; Wine only recommends them. The 32-bit Wine
# loads the i386 ones.
wine_x11=(libxrender1 libxrandr2 libxi6 libxcursor1 libxcomposite1 libxfixes3 libxinerama1
  libxxf86vm1)

packages=(
  # build
  build-essential cmake ninja-build pkg-config
  # fuzzing: clang with libFuzzer and the sanitizers
  clang libclang-rt-14-dev
  # the Debian package: CPack's dpkg-shlibdeps and file, the AppStream validator
  dpkg-dev file appstream
  # the release files: the zips of the Windows programs
  zip unzip
  googletest libgtest-dev libgmock-dev
  # Linux build: Qt 6 Widgets, the systemd journal and saved Windows event logs (libevtx.h
  # includes libbfio.h, which libevtx-dev does not bring)
  qt6-base-dev qt6-qpa-plugins libsystemd-dev libevtx-dev libbfio-dev
  fonts-dejavu-core fonts-liberation2
  # Windows build: MinGW-w64 cross compilers and Wine to run the tests of both programs
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 "${wine_x11[@]}"
  # tests: journal files, saved event logs (zlib for their checksums, evtxexport to read
  # them independently, valgrind to check their reading), locales, a real window under
  # Xvfb, timing
  systemd-journal-remote zlib1g-dev libevtx-utils valgrind locales-all xvfb xauth xdotool
  x11-utils imagemagick hyperfine time python3
  # the window as a screen reader reads it: the accessibility bus and its Python client
  at-spi2-core python3-pyatspi dbus
  # an independent reader of saved event logs, for the hand-run comparison of their strings
  python3-evtx
)

# The i386 Wine that the 32-bit Windows programs run in, and what its X11 driver loads. Only
# the 32-bit Windows tests need them, so they come in a transaction of their own: an i386
# index that a mirror is still syncing must not keep the rest from installing.
i386_packages=(wine32:i386 "${wine_x11[@]/%/:i386}")

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive

# The packages of a list that are not installed yet.
not_installed() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

# The package lists, read again. A mirror caught mid-sync fails some of its indexes for a few
# minutes ("Mirror sync in progress?"), so a failed update is tried again after a short wait,
# and in the end the lists that did download are used.
lists_read=no
update_lists() {
  local attempt
  for attempt in 1 2 3; do
    if $SUDO apt-get update -qq; then lists_read=yes; return; fi
    [ $attempt -eq 3 ] || sleep $((attempt * 10))
  done
  lists_read=yes
  echo "Package lists: apt-get update failed 3 times; going on with the lists that did download"
}

# wine32 is a package of the i386 architecture, which dpkg installs only once it has been
# added; wine32 is then missing, so the package lists are read again below.
dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386

mapfile -t missing < <(not_installed "${packages[@]}")
mapfile -t missing_i386 < <(not_installed "${i386_packages[@]}")
[ $((${#missing[@]} + ${#missing_i386[@]})) -eq 0 ] || update_lists

if [ ${#missing[@]} -gt 0 ] &&
  ! $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
  # apt refuses a transaction as a whole: each package alone tells which ones it cannot take.
  cannot=()
  for p in "${missing[@]}"; do
    $SUDO apt-get install -s -qq --no-install-recommends "$p" >/dev/null 2>&1 || cannot+=("$p")
  done
  echo "These packages could not be installed: ${cannot[*]:-${missing[*]}}" >&2
  exit 1
fi

# Where the i386 packages cannot be had, everything else still builds and tests; a release
# (BRASK_REQUIRE_X86=1) needs the 32-bit tests too.
x86_missing() {
  if [ "${BRASK_REQUIRE_X86:-0}" = 1 ]; then
    echo "32-bit Windows tests: $1, and BRASK_REQUIRE_X86=1 asks for them" >&2
    exit 1
  fi
  echo "32-bit Windows tests: $1; they will be built, but not run until this succeeds"
  exit 0
}
if [ ${#missing_i386[@]} -gt 0 ] &&
  ! $SUDO apt-get install -y -qq --no-install-recommends "${missing_i386[@]}"; then
  x86_missing "the 32-bit Wine (wine32:i386) could not be installed"
fi

# The 32-bit Windows program runs in the 32-bit Wine, an i386 program. Some kernels run no
# 32-bit program ("Exec format error"): there QEMU's user-mode emulator is registered for
# i386 programs in binfmt_misc, with F so that the kernel keeps the emulator open. An entry
# already registered answers the probe through the emulator, so it is looked at first.
binfmt=/proc/sys/fs/binfmt_misc
i386_entry=$binfmt/qemu-i386
if [ -e "$i386_entry" ] && [ "$(head -1 "$i386_entry")" = enabled ] &&
  grep -qx "flags: F" "$i386_entry"; then
  echo "32-bit programs: emulated (qemu-i386-static, registered already)"
elif /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  echo "32-bit programs: native"
else
  if [ -n "$(not_installed qemu-user-static)" ]; then
    [ $lists_read = yes ] || ls /var/lib/apt/lists/*_Packages* >/dev/null 2>&1 || update_lists
    $SUDO apt-get install -y -qq --no-install-recommends qemu-user-static ||
      x86_missing "this kernel runs no 32-bit program, and qemu-user-static could not be installed"
  fi
  [ -e "$binfmt/register" ] || $SUDO mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null ||
    x86_missing "this kernel runs no 32-bit program, and binfmt_misc cannot be mounted to emulate them"
  # An entry without F, as a package may leave one, is replaced.
  # An i386 ELF executable or shared object: qemu's own magic and mask.
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  { [ ! -e "$i386_entry" ] || echo -1 | $SUDO tee "$i386_entry" >/dev/null; } 2>/dev/null &&
    echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" |
    $SUDO tee "$binfmt/register" >/dev/null 2>&1 ||
    x86_missing "this kernel runs no 32-bit program, and binfmt_misc cannot be written to emulate them"
  echo "32-bit programs: this kernel runs none; registered qemu-i386-static to emulate them"
fi
