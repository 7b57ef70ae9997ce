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

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-windows-deps: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
