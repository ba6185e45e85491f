#!/usr/bin/env bash
# The core's figures from the Google Benchmark program: one poll tick without its waits (a
# whole cycle of the demonstration configuration), one cycle's decoding, conversion and log
# row, and loading a configuration of 255 items. Prints the machine first.
#
#   bash bench/measure-core.sh [build-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target vantor_bench >/dev/null

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')," \
    "load $(cut -d' ' -f1-3 /proc/loadavg)"
# The log row is synced to the disk; on a RAM file system its figure is the program's own work.
TMPDIR=/dev/shm "$build/bench/vantor_bench" --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true
