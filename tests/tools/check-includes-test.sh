#!/usr/bin/env bash
# The include-direction check on small source trees: it passes a tree that keeps to its picture
# and names the include (or the folder) of every tree that does not.
set -uo pipefail
check="$(cd "$(dirname "$0")/../.." && pwd)/tools/check-includes.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

# A tree of three layers (window / protocol above base) with one include per file.
make_tree() {
    local tree=$scratch/$1
    mkdir -p "$tree/docs" "$tree/src/window" "$tree/src/proto" "$tree/src/base" "$tree/tools/sim" \
        "$tree/fuzz"
    cat >"$tree/docs/architecture.md" <<'PICTURE'
# Architecture

## Layers

```
window/         the window
--------------
proto/          protocols
base/           the base
```
PICTURE
    echo '#include "proto/Frame.h"' >"$tree/src/window/Window.cpp"
    echo '#include "base/Types.h"' >"$tree/src/proto/Frame.h"
    echo '#include "base/Types.h"' >"$tree/src/base/Types.cpp"
    echo '#include "proto/Frame.h"' >"$tree/tools/sim/Sim.cpp"
    : >"$tree/fuzz/Fuzz.cpp"
}

# expect NAME STATUS TEXT: the check on tree NAME ends with STATUS and says TEXT.
expect() {
    local output status
    output=$("$check" "$scratch/$1" 2>&1)
    status=$?
    if [ "$status" -ne "$2" ] || ! grep -qF -- "$3" <<<"$output"; then
        echo "FAIL $1: status $status, wanted $2 and \"$3\"; output:" >&2
        echo "$output" >&2
        failures=$((failures + 1))
    fi
}

make_tree sound
expect sound 0 ""

make_tree upward
echo '#include "window/Window.h"' >>"$scratch/upward/src/base/Types.cpp"
expect upward 1 "src/base/Types.cpp:2: base/ includes window/"

make_tree sideways
mkdir -p "$scratch/sideways/src/codec"
sed -i 's|^proto/ .*|proto/ codec/    protocols and codecs|' "$scratch/sideways/docs/architecture.md"
echo '#include "codec/Codec.h"' >"$scratch/sideways/src/proto/Frame.cpp"
expect sideways 1 "src/proto/Frame.cpp:1: proto/ includes codec/"

make_tree unknown
mkdir -p "$scratch/unknown/src/monitor"
: >"$scratch/unknown/src/monitor/Decoder.cpp"
expect unknown 1 "src/monitor/ is not in the layer picture"

make_tree user
echo '#include "window/Window.h"' >"$scratch/user/fuzz/Fuzz.cpp"
expect user 1 "fuzz/Fuzz.cpp:1: fuzz uses the core only, but includes window/"

exit $((failures > 0))
