#!/usr/bin/env bash
# Sets up the machine and builds the tool.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh gui
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
