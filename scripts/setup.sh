#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package Tamblin needs to build, run and test.
# Safe to run again; uses sudo when not root.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n libqt6sql6-sqlite
  libicu-dev
  libbenchmark-dev hyperfine time
  clang clang-format clang-tidy libclang-rt-14-dev libfuzzer-14-dev
  xvfb xauth imagemagick xdotool openbox x11-utils
  dbus-daemon at-spi2-core gir1.2-atspi-2.0 python3-gi
  fonts-liberation2 fonts-ipafont-gothic
  poppler-utils sqlite3
  desktop-file-utils appstream shared-mime-info dpkg-dev file lintian man-db binutils
)

if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
else
  SUDO=(sudo)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

# Only touch apt when something is missing, so a set-up machine starts at once.
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  "${SUDO[@]}" apt-get update
  "${SUDO[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
