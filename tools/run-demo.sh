#!/usr/bin/env bash
# The program with live values: installs what is missing (Debian 12), builds the window and the
# simulator, starts the simulator on COM1 with samples/demo.dat, and opens the window with that
# file loaded and polling started. Closing the window stops the simulator.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make qt6-base-dev fonts-liberation fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
        "${missing[@]}"
fi

cmake -S . -B build-demo -DBUILD_TESTING=OFF
cmake --build build-demo -j"$(nproc)" --target vantor3 vantor3-sim

sim_log="$(mktemp)"
build-demo/tools/sim/vantor3-sim --port COM1 --config samples/demo.dat >"$sim_log" 2>&1 &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; rm -f "$sim_log"' EXIT
for _ in $(seq 50); do
    grep -q "^ready " "$sim_log" && break
    kill -0 "$sim_pid" 2>/dev/null || { cat "$sim_log"; exit 1; }
    sleep 0.1
done
grep -q "^ready " "$sim_log" || { echo "the simulator did not start:"; cat "$sim_log"; exit 1; }

# For this demonstration only: the window loads the file through its file page and presses
# "Старт" by itself. Without the variable it starts empty, as it always does.
VANTOR3_DEMO_FILE=samples/demo.dat build-demo/src/app/vantor3
