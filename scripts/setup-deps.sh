#!/usr/bin/env bash
# Installs the Debian packages that building, testing and cross-building need (Wine and a
# virtual X display run the cross-built programs). Does nothing when
# they are all installed already; uses sudo only when not run as root. With --screenshots it also
# installs Wine's own fonts, which the pictures of scripts/screenshots.sh show their texts in.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg-dev libpng-dev libgif-dev
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine64 xvfb
  clang libclang-rt-14-dev
)
if [ "${1:-}" = "--screenshots" ]; then
  packages+=(fonts-wine)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update
"${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}" </dev/null
