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
  # (wine32 is the i386 Wine that the 32-bit programs run in)
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 wine32:i386
  "${wine_x11[@]}" "${wine_x11[@]/%/:i386}"
  # tests: journal files, saved event logs (zlib for their checksums, evtxexport to read
  # them independently, valgrind to check their reading), locales, a real window under
  # Xvfb, timing
  systemd-journal-remote zlib1g-dev libevtx-utils valgrind locales-all xvfb xauth xdotool
  x11-utils imagemagick hyperfine time python3
)

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

# wine32 is a package of the i386 architecture, which dpkg installs only once it has been
# added; wine32 is then missing, so the package lists are read again below.
dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
