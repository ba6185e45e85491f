#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time, as many at once as
# there are cores. Each starts from its committed seeds (fuzz/corpus/<target>/) and grows a
# working corpus in the build folder; a crash, a sanitizer report, a broken property or a hang
# fails the run and leaves the input in <build>/fuzz-artifacts/.
#
#   bash fuzz/run-fuzzers.sh [build-folder] [seconds-per-target]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${2:-60}

CC=clang CXX=clang++ cmake -S . -B "$build" -DVANTOR_WERROR=ON -DVANTOR_FUZZ=ON \
    -DVANTOR_GUI=OFF -DBUILD_TESTING=OFF >/dev/null
targets=()
for source in fuzz/*Fuzz.cpp; do
    targets+=("$(basename "$source" .cpp)")
done
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

mkdir -p "$build/fuzz-artifacts" "$build/fuzz-logs"
run_one() {
    local target=$1
    mkdir -p "$build/fuzz-corpus/$target"
    "$build/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
        -max_len=8192 -print_final_stats=1 \
        -artifact_prefix="$build/fuzz-artifacts/$target-" \
        "$build/fuzz-corpus/$target" "fuzz/corpus/$target" >"$build/fuzz-logs/$target.log" 2>&1
}

declare -A pid_of
failed=0
for target in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do
        wait -n || true
    done
    run_one "$target" &
    pid_of[$target]=$!
done
for target in "${targets[@]}"; do
    if wait "${pid_of[$target]}"; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/fuzz-logs/$target.log")
        echo "$target: ${runs:-?} executions in ${seconds} s, no failure"
    else
        echo "$target: FAILED, log follows" >&2
        tail -n 60 "$build/fuzz-logs/$target.log" >&2
        failed=1
    fi
done
exit "$failed"
