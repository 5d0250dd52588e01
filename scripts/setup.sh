#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
# Usage: scripts/setup.sh [build|gui]   (gui adds what a desktop session needs to show Chinese)
set -euo pipefail

packages=(cmake ninja-build ccache g++ clang libclang-rt-dev libgtest-dev libgmock-dev
          libbenchmark-dev qt6-base-dev libqt6serialport6-dev libgl-dev)
if [ "${1:-build}" = gui ]; then
  packages+=(fonts-noto-cjk)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
