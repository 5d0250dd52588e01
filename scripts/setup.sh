#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing: on a machine
# that has everything it asks no package manager and needs no network.
# Usage: scripts/setup.sh [build|gui]   (gui adds what a desktop session needs to show Chinese)
set -euo pipefail

packages=(cmake ninja-build ccache g++ clang libclang-rt-dev libgtest-dev libgmock-dev
          libbenchmark-dev valgrind qt6-base-dev qt6-serialport-dev qt6-charts-dev libgl-dev
          nlohmann-json3-dev libsqlite3-dev)
if [ "${1:-build}" = gui ]; then
  packages+=(fonts-noto-cjk)
fi

missing=()
for package in "${packages[@]}"; do
  if [ "$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null)" != installed ]; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "Not root and no sudo: install them as root with apt-get install ${missing[*]}" >&2
    exit 1
  fi
  sudo="sudo"
fi
if ! { $sudo apt-get update -qq &&
       DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"; }; then
  echo "Could not install: ${missing[*]} (apt-get says why above)" >&2
  exit 1
fi
