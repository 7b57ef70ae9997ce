#!/usr/bin/env bash
# Installs the Debian packages the Windows build and its tests under wine need:
# the mingw-w64 cross compiler (its -posix variant, for googletest's threads),
# wine, NSIS for the installer, zip for the portable copy, and the googletest
# sources that are cross-built for the backend's unit tests.
# Idempotent: apt-get runs only when something is missing.
set -euo pipefail

packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine64
  nsis zip unzip
  googletest fonts-liberation
  xvfb xauth xdotool x11-apps x11-utils python3
)

. "$(dirname "$0")/apt-install-missing.sh"
install_missing install-windows-deps "${packages[@]}"
