#!/usr/bin/env bash
# Installs the Debian packages the game, its tools and its tests need.
# Idempotent: apt-get runs only when something is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri
  libfreetype-dev libfontconfig-dev fonts-liberation
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth
  clang libclang-rt-14-dev
  libpng-dev
  desktop-file-utils appstream xdotool x11-utils
  dpkg-dev lintian man-db groff-base
)

. "$(dirname "$0")/apt-install-missing.sh"
install_missing install-deps "${packages[@]}"
