#!/usr/bin/env bash
# The window beside two other Modbus RTU masters polling the same simulator every 100 ms:
# vantor3 (bench/WindowMeasure.cpp: the program's own start-up, then the operator's moves) under
# Xvfb, mbpoll, and a scripted pymodbus client (bench/modbus_poller.py). Each runs SECONDS
# against a fresh simulator, the three alternated, ROUNDS times. Processor time and peak
# resident memory come from /proc, from 3 s after the start (start-up left out) to the end;
# transactions are the requests in the simulator's trace over the same span. Prints one table
# row per run with the load average at its end; then, without the line, what showing changed
# texts costs the window and a bare Qt window (bench/ShowFloor.cpp); then the window's first
# paint.
#
#   bash bench/compare-masters.sh [build-folder] [seconds] [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
seconds=${2:-60}
rounds=${3:-2}
warmup=3

# A folder configured already keeps its own sources, so another checkout's build can be compared.
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target vantor3-measure vantor3-sim vantor3-show-floor \
    >/dev/null

work=$(mktemp -d)
pids=()
stop_all() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    pids=()
}
cleanup() {
    stop_all
    [ -z "${xvfb_pid:-}" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
unset QT_QPA_PLATFORM

cpu_ticks() {
    awk '{ sub(/.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"
}
requests() {
    grep -c " rx " "$work/trace" || true
}

# One run: a fresh simulator, the master `name` started by the remaining arguments (PORT in them
# is replaced by the simulator's terminal), measured over SECONDS after the warm-up.
run() {
    local name=$1
    shift
    rm -rf "$work/home" && mkdir -m 700 "$work/home"
    HOME="$work/home" "$build/tools/sim/vantor3-sim" --port COM1 --config samples/demo.dat \
        --trace >"$work/trace" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do grep -q "^ready " "$work/trace" && break; sleep 0.1; done
    local pty
    pty=$(awk '/^ready /{ print $3; exit }' "$work/trace")
    local args=("${@/PORT/$pty}")
    HOME="$work/home" XDG_RUNTIME_DIR="$work/home" "${args[@]}" >"$work/master.out" 2>&1 &
    local pid=$!
    pids+=("$pid")
    sleep "$warmup"
    local ticks0 requests0 ticks1 requests1 peak
    ticks0=$(cpu_ticks "$pid")
    requests0=$(requests)
    sleep "$seconds"
    ticks1=$(cpu_ticks "$pid")
    requests1=$(requests)
    peak=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
    stop_all
    awk -v name="$name" -v t="$((ticks1 - ticks0))" -v hz="$(getconf CLK_TCK)" -v s="$seconds" \
        -v n="$((requests1 - requests0))" -v kb="$peak" -v load="$(cut -d' ' -f1-3 /proc/loadavg)" \
        'BEGIN { printf "| %s | %d | %.2f | %.3f | %.2f | %.1f | %s |\n", name, n, t / hz,
                 n ? 1000 * t / hz / n : 0, 100 * t / hz / s, kb / 1024, load }'
}

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
echo "each run: ${seconds} s after ${warmup} s of warm-up, poll period 100 ms, samples/demo.dat"
echo
echo "| master | transactions | cpu-s | cpu-ms per transaction | cpu share % | peak RSS MB | load average at the end |"
echo "|---|---|---|---|---|---|---|"
for _ in $(seq "$rounds"); do
    run "vantor3 (Xvfb)" "$build/bench/vantor3-measure" samples/demo.dat 100 "$((seconds + 30))"
    run "mbpoll" mbpoll -m rtu -a 5 -r 1 -c 20 -t 3 -b 9600 -P none -s 2 -l 100 PORT
    run "pymodbus" /usr/bin/python3 bench/modbus_poller.py --port PORT --period-ms 100
done

# The floor under the window's figure: what showing changed texts costs without the line, in the
# program's window (its data exchange, the times first, then values) and in a bare Qt window of
# plain line edits or of widgets that only fill and draw their text, at the same period, for half
# as long.
echo
echo "| without the line | fields changed per tick | ticks | cpu-s | cpu-ms per tick | load average at the end |"
echo "|---|---|---|---|---|---|"
for kind in window bare paint; do
    for count in 0 1 12; do
        HOME="$work/home" XDG_RUNTIME_DIR="$work/home" "$build/bench/vantor3-show-floor" \
            "$kind" "$count" 100 "$((seconds / 2))" 2>/dev/null |
            awk -v load="$(cut -d' ' -f1-3 /proc/loadavg)" '{
                name = $1 == "bare" ? "bare Qt window, line edits" : \
                       $1 == "paint" ? "bare Qt window, painted texts" : "vantor3 window"
                printf "| %s | %s | %s | %s | %s | %s |\n", name, $3, $5, $7, $9, load }'
    done
done
echo
for start in 1 2 3; do
    HOME="$work/home" XDG_RUNTIME_DIR="$work/home" "$build/bench/vantor3-measure" \
        samples/demo.dat 100 0 2>/dev/null | grep first-paint-ms | sed "s/^/start $start under Xvfb: /"
done
