#!/usr/bin/env bash
# Fails when an #include runs against the layer picture in docs/architecture.md (the fenced block
# under "## Layers"). Each line of the picture names folders of src/; a folder may include its
# own headers and those of the folders on lower lines, never those on its own line or above.
# The users of the core (the programs in core_users below) may include only the folders below the
# picture's dashed line. A folder of src/ the picture does not name fails too, so a new folder
# is placed in the picture before its first include counts.
#
# Usage: tools/check-includes.sh [ROOT]   (ROOT: the source tree, by default this one)
set -euo pipefail
root=${1:-"$(dirname "$0")/.."}
cd "$root"

picture=docs/architecture.md
# Programs built on the core alone, without the window.
core_users=(tools/sim tools/poll-once fuzz)

declare -A rank     # folder -> height of its line, the top line highest
core_below=-1       # folders with a lower rank than this are the core
failures=0

fail() {
    echo "check-includes: $*" >&2
    failures=$((failures + 1))
}

read_picture() {
    local lines=() line
    mapfile -t lines < <(awk '/^## Layers/ { under = 1; next }
                              under && /^```/ { if (open) exit; open = 1; next }
                              open' "$picture")
    [ ${#lines[@]} -gt 0 ] || { echo "check-includes: no layer picture under '## Layers' in $picture" >&2; exit 2; }
    local height=${#lines[@]} folder
    for line in "${lines[@]}"; do
        height=$((height - 1))
        if [[ $line =~ ^-+$ ]]; then
            core_below=$height
            continue
        fi
        # The folders lead the line: "config/ display/ log/   what they hold".
        for folder in $(grep -oE '^([a-z0-9_]+/[ ,]*)+' <<<"$line" | tr -s ' ,/' ' '); do
            [ -z "${rank[$folder]:-}" ] || fail "$picture names $folder/ twice"
            rank[$folder]=$height
        done
    done
    [ "$core_below" -ge 0 ] || { echo "check-includes: the layer picture has no dashed line under the window" >&2; exit 2; }
    for folder in "${!rank[@]}"; do
        [ -d "src/$folder" ] || fail "$picture names $folder/, which is not a folder of src/"
    done
}

# Prints "file:line:folder" for every quoted include of a folder of src/.
includes_of() {
    grep -HnoE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[a-z0-9_]+/' "$@" 2>/dev/null |
        sed -E 's/^([^:]+:[0-9]+):.*"([a-z0-9_]+)\/$/\1:\2/' || true
}

check_src() {
    local dir folder file line target
    for dir in src/*/; do
        folder=$(basename "$dir")
        if [ -z "${rank[$folder]:-}" ]; then
            fail "src/$folder/ is not in the layer picture of $picture: add it to the line of its layer"
            continue
        fi
        while IFS=: read -r file line target; do
            [ "$target" != "$folder" ] || continue
            if [ -z "${rank[$target]:-}" ]; then
                [ -d "src/$target" ] && fail "$file:$line: includes $target/, which is not in the layer picture"
                continue
            fi
            if [ "${rank[$target]}" -ge "${rank[$folder]}" ]; then
                fail "$file:$line: $folder/ includes $target/, which is not below it in $picture"
            fi
        done < <(includes_of $(find "$dir" -name '*.h' -o -name '*.cpp' | sort))
    done
}

check_core_users() {
    local user file line target
    for user in "${core_users[@]}"; do
        while IFS=: read -r file line target; do
            [ -d "src/$target" ] || continue
            if [ -z "${rank[$target]:-}" ] || [ "${rank[$target]}" -ge "$core_below" ]; then
                fail "$file:$line: $user uses the core only, but includes $target/"
            fi
        done < <(includes_of $(find "$user" -name '*.h' -o -name '*.cpp' | sort))
    done
}

read_picture
check_src
check_core_users
if [ "$failures" -gt 0 ]; then
    echo "check-includes: $failures include(s) against the layer picture" >&2
    exit 1
fi
