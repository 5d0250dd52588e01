#!/usr/bin/env bash
# Sets up the machine, builds the tool and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh gui
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target bms-tool
exec build/src/qt/bms-tool
