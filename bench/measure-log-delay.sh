#!/usr/bin/env bash
# How long a poll tick keeps the next request back, with and without the log: the window program
# (bench/WindowMeasure.cpp, offscreen) polls samples/demo.dat on the simulator every 100 ms, and
# for each of 600 ticks after a settling second the time from the tick's start to the write of
# its request is taken, and from the tick's last look at the line for the answer to that write
# (what the decoding, the window and the log row add). First with "Сохранить" clear, then set,
# the log written and synced into a folder on the disk that holds the build. Percentiles are the
# nearest rank of the 600 samples. Prints the machine, the log folder's file system and the load.
#
#   bash bench/measure-log-delay.sh [build-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}

[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target vantor3-measure vantor3-sim >/dev/null

home=$(mktemp -d -p "$PWD/$build" log-delay.XXXXXX)
source bench/simulator.sh
start_simulator "$build" "$home"

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
echo "log folder on: $(df -T "$home" | awk 'NR == 2 { print $1, $2 }')"
for mode in delays log; do
    HOME=$home XDG_RUNTIME_DIR=$home QT_QPA_PLATFORM=offscreen \
        "$build/bench/vantor3-measure" samples/demo.dat 100 90 "$mode" 2>>"$home/measure.err" |
        grep -E "^save |^messages "
    echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
done
echo "log rows written: $(cat "$home"/VantorTXT/* 2>/dev/null | wc -l) lines in $(ls "$home/VantorTXT" | wc -l) file(s)"
