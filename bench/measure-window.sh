#!/usr/bin/env bash
# The window program's figures against the simulator, offscreen: the file page loading a
# configuration of 255 items, the time from the process's start to the first painted window
# (five starts), then the processor share of one core and the peak resident memory while it
# polls samples/demo.dat every PERIOD ms for SECONDS, also with the traffic monitor closed and
# open; last, as a cross-check from outside, the
# program itself (vantor3 in its demonstration start, polling every 500 ms) for SECONDS.
# Prints the machine first.
#
#   bash bench/measure-window.sh [build-folder] [seconds] [period-ms]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
seconds=${2:-60}
period=${3:-100}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target vantor3 vantor3-measure vantor3-sim \
    vantor3-make-dat >/dev/null

home=$(mktemp -d)
source bench/simulator.sh

# The largest configuration a file can hold: 253 measurement items and the transducer clock.
keys=(Ua Ub Uc Uo Ia Ib Ic Io Uab Ubc Uca Pa Pb Pc P Qa Qb Qc Q Sa Sb Sc S Qfa Qfb Qfc f Icp Ucp)
{
    echo "header 0 0 0 0"
    for i in $(seq 0 252); do
        printf 'record "Величина (%s)" "%04X" "2" 0 "1"\n' "${keys[i % ${#keys[@]}]}" "$i"
    done
    echo 'record "Время (tms)" "0100" "2" 0 "1"'
    echo 'record "Время (thm)" "0101" "2" 0 "1"'
    printf '%s\n' "address 5" "serial 0x95" "spare 0" "wiring 0" "protocol-tag 255" \
        "iec-sizes 1 2 16 1" "address-high 0" "reserved 0 0"
    for _ in $(seq 264); do echo "groups 20"; done
    echo "nominal 4"
    for _ in $(seq 253); do echo "attributes 0 0 0 0x40"; done
    echo "ratios 100 1 1 200 1 1"
    for _ in $(seq 528); do echo "ranges 500"; done
} >"$home/largest.txt"
"$build/tests/vantor3-make-dat" "$home/largest.txt" "$home/largest.dat"

start_simulator "$build" "$home"

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')," \
    "load $(cut -d' ' -f1-3 /proc/loadavg)"
measure() {
    HOME=$home XDG_RUNTIME_DIR=$home QT_QPA_PLATFORM=offscreen \
        "$build/bench/vantor3-measure" "$@" 2>>"$home/measure.err"
}
echo "largest configuration: $(measure "$home/largest.dat" "$period" 0 | grep load-ms)"
for run in 1 2 3 4 5; do
    echo "start $run: $(measure samples/demo.dat "$period" 0 | grep first-paint-ms)"
done
measure samples/demo.dat "$period" "$seconds"
# The traffic monitor closed and open, one after the other in the same run.
for monitor in "" monitor; do
    measure samples/demo.dat "$period" "$seconds" $monitor | grep "^monitor "
done

# Processor ticks (user and system) of a process, from the kernel's record of it.
cpu_ticks() {
    awk '{ sub(/.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"
}
HOME=$home XDG_RUNTIME_DIR=$home QT_QPA_PLATFORM=offscreen VANTOR3_DEMO_FILE=samples/demo.dat \
    "$build/src/app/vantor3" 2>>"$home/measure.err" &
window_pid=$!
sleep 2
from=$(cpu_ticks "$window_pid")
sleep "$seconds"
to=$(cpu_ticks "$window_pid")
peak=$(awk '/^VmHWM:/ { print $2 }' "/proc/$window_pid/status")
kill "$window_pid"
wait "$window_pid" 2>/dev/null || true
awk -v t="$((to - from))" -v hz="$(getconf CLK_TCK)" -v s="$seconds" -v kb="$peak" 'BEGIN {
    printf "vantor3 at 500 ms: cpu-s %.2f cpu-share-percent %.3f peak-rss-mb %.1f\n",
        t / hz, 100 * t / hz / s, kb / 1024 }'
