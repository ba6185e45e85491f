#!/usr/bin/env bash
# The Debian packages of a built tree: makes them with cpack, runs Debian's checks on them, and
# runs the installed programs, unpacked into a temporary root, under Xvfb and a window manager:
# the window shows the simulator's values, and a user outside the device's group is told why no
# port opened. Nothing of the build or source tree is used after the packages are made.
# Usage: tests/package/check-packages.sh [BUILD_DIR]; KEEP_WORK=1 keeps the temporary folder.
set -euo pipefail
build=$(realpath "${1:-build}")
work=$(mktemp -d /tmp/vantor3-package.XXXXXX)
chmod 755 "$work"
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    [ -n "${KEEP_WORK:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

echo "== packages"
(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
debs=("$work"/out/vantor3_*.deb "$work"/out/vantor3-sim_*.deb)
for deb in "${debs[@]}"; do
    printf '%s\t%s bytes\tinstalled %s KiB\n' "$(basename "$deb")" "$(stat -c %s "$deb")" \
        "$(dpkg-deb -f "$deb" Installed-Size)"
done

echo "== lintian"
lintian --fail-on error,warning "${debs[@]}" 2>&1 | grep -v "running with root privileges" || true
lintian --fail-on error,warning "${debs[@]}" >/dev/null 2>&1 || fail "lintian"

root="$work/root"
for deb in "${debs[@]}"; do
    dpkg-deb -x "$deb" "$root"
done
echo "== desktop-file-validate"
desktop=("$root"/usr/share/applications/*.desktop)
out=$(desktop-file-validate "${desktop[@]}" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"
echo "== appstreamcli validate"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml

# From here on only the unpacked root, the system and a temporary home are used.
cd "$work"
export PATH="$root/usr/bin:/usr/bin:/bin"
unset QT_QPA_PLATFORM
samples="$root/usr/share/vantor3/samples"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"
HOME="$work" openbox >/dev/null 2>&1 &
pids+=($!)
# A window mapped while the window manager is still starting may never be shown.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
done

# A fresh home for one run, owned by `user`, with the simulator's link to COM1 in it.
start_simulator() {
    local home=$1
    vantor3-sim --port COM1 --config "$samples/demo.dat" --record "$home/record.log" \
        >"$home/sim.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do grep -qs "^ready " "$home/sim.log" && break; sleep 0.1; done
    grep -q "^ready " "$home/sim.log" || fail "the simulator did not start: $(cat "$home/sim.log")"
}
wait_window() {  # prints the id of the first window named exactly $1
    timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1
}
# The text of the control at (x, y) in dialog units of the 437 × 333 main window, through the
# clipboard: a value field's text is selectable and copied as the operator would copy it.
copy_text() {
    local window=$1 x=$2 y=$3 width height
    eval "$(xdotool getwindowgeometry --shell "$window")"
    width=$WIDTH height=$HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove "$((X + x * width / 437))" "$((Y + y * height / 333))" click 1
    xdotool key --clearmodifiers ctrl+a ctrl+c
    sleep 0.2
    timeout 5 xclip -o -selection clipboard -t UTF8_STRING 2>/dev/null || true
}

echo "== installed vantor3 against the installed vantor3-sim"
home="$work/operator"
mkdir -m 700 "$home"
HOME="$home" start_simulator "$home"
HOME="$home" XDG_RUNTIME_DIR="$home" VANTOR3_DEMO_FILE="$samples/demo.dat" vantor3 \
    >"$home/vantor3.log" 2>&1 &
pids+=($!)
window=$(wait_window "Vantor 3 VuRo \\(demo.dat\\)") || fail "no main window with demo.dat loaded"
# Ua, its field at (156, 45), 45 × 12, shows raw codes: one the simulator sent.
shown() { grep -q " Ua=$1 " "$home/record.log" 2>/dev/null; }
value=""
for _ in $(seq 20); do
    value=$(copy_text "$window" 178 51)
    [[ $value =~ ^[0-9]+$ ]] && shown "$value" && break
    sleep 0.5
done
[[ $value =~ ^[0-9]+$ ]] && shown "$value" || fail "Ua shows \"$value\", no code the simulator sent"
echo "Ua shows $value, as the simulator sent: $(grep -m 1 " Ua=$value " "$home/record.log")"
xdotool windowactivate --sync "$window" key Escape
wait "${pids[-1]}" || fail "vantor3 ended with an error: $(cat "$home/vantor3.log")"
unset 'pids[-1]'
kill "${pids[-1]}"
wait "${pids[-1]}" 2>/dev/null || true
unset 'pids[-1]'

echo "== a user outside the device's group"
home="$work/outsider"
mkdir -p "$home"
HOME="$home" start_simulator "$home"
device=$(awk '/^ready /{print $3}' "$home/sim.log")
chown -R nobody:nogroup "$home"
chmod 700 "$home"
setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env HOME="$home" XDG_RUNTIME_DIR="$home" vantor3 >"$home/vantor3.log" 2>&1 &
pids+=($!)
# Qt offers a message box's text to the clipboard on Windows only; the words are checked by the
# unit tests, the real refusal (EACCES) by the integration tests.
box=$(wait_window "Ошибка") || fail "no message about $device: $(cat "$home/vantor3.log")"
echo "COM1 is $device, not permitted: one message box \"$(xdotool getwindowname "$box")\""
xdotool windowactivate --sync "$box" key Return
window=$(wait_window "Vantor 3 VuRo") || fail "no main window after the message"
sleep 1
[ -z "$(xdotool search --onlyvisible --name '^Ошибка$' 2>/dev/null)" ] || fail "a second message"
xdotool windowactivate --sync "$window" key Escape
wait "${pids[-1]}" || fail "vantor3 ended with an error"
unset 'pids[-1]'
echo "== packages checked"
