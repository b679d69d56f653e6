#!/bin/sh
# SPDX-License-Identifier: MIT
# programs_test.sh WINE BIN UNIT: the Windows programs in BIN under the Wine
# loader WINE (wine64 for 64-bit programs), as a user runs them.
# ovaline-cli.exe against the virtual camera inside Ovaline.dll; then on
# COM5, which Wine maps to the pseudo-terminal of the Linux ovaline-unit
# UNIT: the slot map, a whole-memory receive whose files
# must be the unit's own slots byte for byte, and Ctrl+C in the middle of a
# receive, after which the unit answers at once. Prints the transfer's
# figure as "name: value". Needs WINEPREFIX, set up by scripts/test-windows.
set -eu
wine=$1
bin=$2
unit=$3
work=$(mktemp -d)
unit_pid=
com5="$WINEPREFIX/dosdevices/com5"
cleanup() {
    [ -n "$unit_pid" ] && kill "$unit_pid" 2>/dev/null
    rm -f "$com5"
    rm -rf "$work"
}
trap cleanup EXIT
name=$(basename "$(dirname "$bin")")

fail() {
    echo "programs_test ($name): $*" >&2
    [ -f "$work/out" ] && cat "$work/out" >&2
    exit 1
}

# Runs ovaline-cli.exe with its output in $work/out; fails on a bad status.
cli() {
    "$wine" "$bin/ovaline-cli.exe" "$@" >"$work/out" 2>&1 || fail "ovaline-cli $* failed"
}

# Runs ovaline-cli.exe, which must refuse with the words $1.
refused() {
    said=$1
    shift
    if "$wine" "$bin/ovaline-cli.exe" "$@" >"$work/out" 2>&1; then
        fail "ovaline-cli $* did not refuse"
    fi
    grep -qF "$said" "$work/out" || fail "ovaline-cli $* did not say \"$said\""
}

# Waits up to 20 seconds for a file to exist.
await() {
    for _ in $(seq 400); do
        [ -e "$1" ] && return 0
        sleep 0.05
    done
    fail "no $1 within 20 s"
}

# The same picture in every slot file of both folders.
same_slots() {
    for slot in 1 2 3 4 5 6 7; do
        if [ -e "$1/slot$slot.jpg" ] || [ -e "$2/slot$slot.jpg" ]; then
            cmp -s "$1/slot$slot.jpg" "$2/slot$slot.jpg" || fail "slot $slot differs"
        fi
    done
}

cli --version
grep -q "^ovaline-cli " "$work/out" || fail "--version says no version"

# The virtual camera in the library, its state in a folder of its own.
export OVALINE_VIRTUAL_DIR="Z:$work/camera" OVALINE_VIRTUAL_SPEED=50
cli --device virtual model
grep -q "^VIHN" "$work/out" || fail "the model is not VIHN"
cli --device virtual map
grep -q "slot 4: picture (protected)" "$work/out" || fail "the map lacks slot 4"
# What a killed run left is swept; a folder is no picture to send.
mkdir -p "$work/virtual"
touch -d '1 minute ago' "$work/virtual/slot2.jpg.Ab12Cd"
cli --device virtual receive --all -o "Z:$work/virtual"
same_slots "$work/camera" "$work/virtual"
[ -e "$work/virtual/slot3.jpg" ] || fail "no picture of the virtual camera received"
[ ! -e "$work/virtual/slot2.jpg.Ab12Cd" ] || fail "a stale temporary file was left"
refused "is a folder, not a picture file" --device virtual send "Z:$work/virtual" 1
unset OVALINE_VIRTUAL_DIR OVALINE_VIRTUAL_SPEED

# The unit on a pseudo-terminal, which Wine opens as COM5.
"$unit" --pty --dir "$work/unit" >"$work/unit.out" 2>"$work/unit.err" &
unit_pid=$!
for _ in $(seq 400); do
    grep -q "^PORT " "$work/unit.out" && break
    sleep 0.05
done
pty=$(sed -n 's/^PORT //p' "$work/unit.out")
[ -n "$pty" ] || fail "ovaline-unit made no pseudo-terminal"
ln -sfn "$pty" "$com5"

# The map's time is the program's start and one short exchange: the
# transfer's own time is the receive's less that.
start=$(date +%s.%N)
cli --device COM5 --baud 115200 map
end=$(date +%s.%N)
grep -q "slot 4: picture (protected)" "$work/out" || fail "the map over COM5 lacks slot 4"
map_seconds=$(awk -v s="$start" -v e="$end" 'BEGIN { print e - s }')
refused "The device COM9 does not exist." --device COM9 map

# One watch per line: a second one on COM5 is refused while the first runs.
"$wine" "$bin/ovaline-cli.exe" --device COM5 --baud 115200 watch -o "Z:$work/watched" \
    >"$work/watch.out" 2>&1 &
watcher=$!
await "$work/watched/slot1.jpg"
refused "another watch is running on it" --device COM5 watch -o "Z:$work/watched2"
kill -INT "$watcher"
wait "$watcher" || true

start=$(date +%s.%N)
cli --device COM5 --baud 115200 receive --all -o "Z:$work/serial"
end=$(date +%s.%N)
same_slots "$work/unit" "$work/serial"
[ -e "$work/serial/slot3.jpg" ] || fail "no picture received over COM5"
bytes=$(cat "$work"/serial/slot*.jpg | wc -c)
# Each byte takes ten bit times.
awk -v s="$start" -v e="$end" -v m="$map_seconds" -v b="$bytes" -v n="$name" 'BEGIN {
    limit = b * 10 / 115200
    printf "%s_com5_receive_all_seconds: %.2f\n", n, e - s
    printf "%s_com5_start_and_map_seconds: %.2f\n", n, m
    printf "%s_com5_receive_all_vs_line_limit: %.3f\n", n, (e - s - m) / limit
    printf "%s_com5_receive_all_with_start_vs_line_limit: %.3f\n", n, (e - s) / limit }'

# Ctrl+C once slot 1 is written, in the middle of slot 2: Wine turns
# SIGINT into the console's Ctrl+C.
"$wine" "$bin/ovaline-cli.exe" --device COM5 --baud 115200 receive --all -o "Z:$work/cancelled" \
    >"$work/cancel.out" 2>&1 &
receiver=$!
await "$work/cancelled/slot1.jpg"
kill -INT "$receiver"
status=0
wait "$receiver" || status=$?
[ "$status" -eq 130 ] || fail "Ctrl+C ended ovaline-cli with $status, not 130"
[ ! -e "$work/cancelled/slot2.jpg" ] || fail "slot 2 was written although cancelled"
[ -z "$(find "$work/cancelled" -name 'slot*.jpg.*')" ] || fail "a temporary file was left"
start=$(date +%s.%N)
cli --device COM5 --baud 115200 map
end=$(date +%s.%N)
grep -q "slot 1: picture" "$work/out" || fail "the unit does not answer after the cancel"
awk -v s="$start" -v e="$end" -v n="$name" \
    'BEGIN { printf "%s_com5_map_after_cancel_seconds: %.2f\n", n, e - s }'
echo "programs_test ($name): passed"
