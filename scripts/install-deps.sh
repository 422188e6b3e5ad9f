#!/usr/bin/env bash
# Installs, from Debian's packages, everything the project needs to build, run and test
# both desktop builds. Safe to run again.
set -euo pipefail

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
  # Windows build: MinGW-w64 cross compiler and Wine to run its tests
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64
  # Wine's X11 driver loads these at run time; Wine only recommends them
  libxrender1 libxrandr2 libxi6 libxcursor1 libxcomposite1 libxfixes3 libxinerama1 libxxf86vm1
  # tests: journal files, saved event logs (zlib for their checksums, evtxexport to read
  # them independently, valgrind to check their reading), locales, a real window under
  # Xvfb, timing
  systemd-journal-remote zlib1g-dev libevtx-utils valgrind locales-all xvfb xauth xdotool
  x11-utils imagemagick hyperfine time python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
