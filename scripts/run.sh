#!/usr/bin/env bash
# Sets up the machine, builds the tool and the stand-in controller bmc-sim, and starts
# both: pressing Start in the tool connects to the simulator through its relay server
# (access password 572906), and the simulator's update server announces a newer release
# a few seconds later. Closing the tool stops the simulator.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh gui
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target bms-tool bmc-sim

# The demo runs from a folder of its own, so that its settings file does not replace
# the one beside the real tool.
demo=build/demo
mkdir -p "$demo"
cp build/src/qt/bms-tool "$demo/"

build/sim/bmc-sim --relay 0 --password 572906 --bics 4 --rate 2 --update 0 --newer \
  > "$demo/bmc-sim.out" &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true' EXIT

for _ in $(seq 100); do
  grep -q '^ready' "$demo/bmc-sim.out" 2>/dev/null && break
  sleep 0.1
done
port=$(sed -n 's/^relay 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$demo/bmc-sim.out")
update=$(sed -n 's/^update \(127\.0\.0\.1:[0-9]*\)$/\1/p' "$demo/bmc-sim.out")
[ -n "$port" ] && [ -n "$update" ] || { echo "bmc-sim did not start" >&2; exit 1; }

# Relay mode on the simulator, network transport, English.
printf '127.0.0.1,%s,572906,100000000,0,0,0,1,' "$port" > "$demo/bms_user.txt"
echo "bmc-sim relay on 127.0.0.1:$port; press Start in the tool."
"$demo/bms-tool" --update-server "$update"
