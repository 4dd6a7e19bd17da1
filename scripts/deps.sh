#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
# Usage: scripts/deps.sh [extra-package...]
set -euo pipefail
packages=(cmake ninja-build g++ binutils libgtest-dev libbenchmark-dev libgmp-dev libboost-dev libicu-dev pkgconf python3
  gcc-mingw-w64-i686  # windres checks the resource step's dialog templates
  libcups2-dev cups-daemon cups-client  # printers; the tests run a private cupsd
  libcairo2-dev libfontconfig-dev libfreetype-dev  # GDI32 on Linux
  libx11-dev xvfb xdotool xclip libxfixes-dev  # the X11 display driver; its tests run on a private Xvfb
  fonts-dejavu-core fonts-ipafont-gothic poppler-utils  # fonts the GDI tests rely on; PDF checks
  "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
