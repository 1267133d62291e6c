#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one real-window test on a private X display with a window manager:
#
#   with-xvfb.sh <test-script> <path-to-pantrova>
#
# Starts Xvfb on a free display and openbox on it, runs the test script with the program's
# path as its first argument, and stops both again however the test ends. The exit status is
# the test script's.
set -uo pipefail

if [ $# -lt 2 ]; then
    echo "usage: $0 <test-script> <path-to-pantrova>" >&2
    exit 2
fi
test_script=$1
program=$2

for tool in Xvfb openbox xdotool xwininfo xprop; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "with-xvfb: $tool is not installed (scripts/test installs it)" >&2
        exit 1
    fi
done

session_dir=$(mktemp -d "${TMPDIR:-/tmp}/pantrova-xvfb.XXXXXX")
xvfb_pid=""
openbox_pid=""

cleanup() {
    # Window manager first, so the server does not outlive it by accident.
    if [ -n "$openbox_pid" ]; then
        kill "$openbox_pid" 2>/dev/null
        wait "$openbox_pid" 2>/dev/null
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$session_dir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# -displayfd lets the server pick a free display number itself and tells us which one once it
# accepts connections, so parallel sessions never race for the same number.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
    3>"$session_dir/display" >"$session_dir/xvfb.log" 2>&1 &
xvfb_pid=$!

for _ in $(seq 100); do
    [ -s "$session_dir/display" ] && break
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "with-xvfb: Xvfb did not start:" >&2
        cat "$session_dir/xvfb.log" >&2
        exit 1
    fi
    sleep 0.1
done
if [ ! -s "$session_dir/display" ]; then
    echo "with-xvfb: Xvfb did not report a display within 10 s" >&2
    exit 1
fi
DISPLAY=":$(tr -d '[:space:]' <"$session_dir/display")"
export DISPLAY

# The program must run on this display, whatever the caller's environment says.
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
export XDG_RUNTIME_DIR="$session_dir/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

openbox --sm-disable >"$session_dir/openbox.log" 2>&1 &
openbox_pid=$!

# The window manager is ready once it has announced itself on the root window.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    if ! kill -0 "$openbox_pid" 2>/dev/null; then
        echo "with-xvfb: openbox did not start:" >&2
        cat "$session_dir/openbox.log" >&2
        exit 1
    fi
    sleep 0.1
done

echo "with-xvfb: display $DISPLAY, running $(basename "$test_script")"
bash "$test_script" "$program"
status=$?
exit "$status"
