#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A Wayland session with XWayland, from weston and its X server. Started with no platform
# chosen, the program runs through XWayland (its window is an X window there). On weston's
# headless backend the window appears and draws. That backend has no input devices, and an
# XWayland without a pointer cannot take test clicks, so the rest runs with weston in a window
# of the test's X server, which gives it a pointer: the window looks as on the plain X server,
# "T" hides it to a notification area on XWayland, and the tray icon brings it back.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
for tool in weston Xwayland trayer; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/test installs it)"
done
[ -n "$GRAB" ] || fail "tools/grabwindow not built"
WESTON_PID="" TRAYER_PID=""
trap 'for pid in "$TRAYER_PID" "$WESTON_PID"; do [ -n "$pid" ] && kill "$pid" 2>/dev/null; done; e2e_cleanup' EXIT
HOST_DISPLAY=$DISPLAY
# Points of the window: the title bar, the olive body, a name field, a "P" button.
POINTS=(100 8 600 70 60 96 155 95)
# grab <file.png>: saves the window's own pixels, which XWayland's screen does not show, and
# prints the colours at POINTS.
grab() {
    "$GRAB" contents "$WINDOW_ID" "$1" "${POINTS[@]}" || fail "cannot read the window's pixels"
}

# On the plain X server, with the pointer off the window, where it lights up nothing.
start_with_names "Tea" "Milk, whole" "Soap"
xdotool mousemove 5 5
sleep 0.5
x11_colours=$(grab "$E2E_DIR/x11.png")
close_program

# The compositor makes its X server's socket where X servers keep theirs.
mkdir -p /tmp/.X11-unix 2>/dev/null && chmod 1777 /tmp/.X11-unix 2>/dev/null
export XDG_RUNTIME_DIR="$E2E_DIR/wayland"
mkdir -m 700 "$XDG_RUNTIME_DIR"
x_display() { sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$E2E_DIR/weston.log"; }
has_x_display() { [ -n "$(x_display)" ]; }
# start_weston <backend options...>: weston with XWayland; DISPLAY becomes XWayland's.
start_weston() {
    DISPLAY=$HOST_DISPLAY weston "$@" --xwayland --socket=pantrova-test --width=1024 --height=768 --idle-time=0 \
        >"$E2E_DIR/weston.log" 2>&1 &
    WESTON_PID=$!
    wait_until "weston started no X server: $(tail -n 5 "$E2E_DIR/weston.log")" has_x_display
    export WAYLAND_DISPLAY=pantrova-test DISPLAY
    DISPLAY=$(x_display)
    e2e_log "weston $1 on $WAYLAND_DISPLAY with XWayland on $DISPLAY"
}
# No platform chosen: the program picks XWayland by itself.
start_on_xwayland() {
    QT_QPA_PLATFORM='' start_program
    wait_for_window 30
}
# stop_program: a termination signal closes the window as "Close" does.
stop_program() {
    kill -TERM "$APP_PID"
    wait_for_exit 15
    assert_eq 0 "$APP_STATUS" "exit status after a termination signal"
}

start_weston --backend=headless-backend.so
start_on_xwayland
assert_eq "$x11_colours" "$(grab "$E2E_DIR/headless.png")" "colours of the window on the headless backend"
stop_program
kill "$WESTON_PID" && wait "$WESTON_PID" 2>/dev/null

start_weston --backend=x11-backend.so --use-pixman
trayer --edge top --align right --widthtype pixel --width 100 --heighttype pixel --height 24 \
    >"$E2E_DIR/trayer.log" 2>&1 &
TRAYER_PID=$!
start_on_xwayland
xdotool mousemove $((WIN_X + 600)) $((WIN_Y + 70)) sleep 0.2 mousemove 5 5
sleep 0.5
grab "$E2E_DIR/xwayland.png" >/dev/null
read -r differing box < <("$GRAB" compare "$E2E_DIR/x11.png" "$E2E_DIR/xwayland.png")
[ "$differing" = 0 ] || {
    cp "$E2E_DIR/x11.png" "$E2E_DIR/xwayland.png" "${TMPDIR:-/tmp}/" 2>/dev/null
    fail "$differing pixels within $box differ from X11 (both pictures copied to ${TMPDIR:-/tmp})"
}

wait_until "no tray icon on XWayland" icon_shown
# "T" at (754, 6), 22 x 21.
xdotool mousemove $((WIN_X + 760)) $((WIN_Y + 12)) sleep 0.2 mousemove $((WIN_X + 765)) $((WIN_Y + 16)) \
    sleep 0.2 click 1 || fail "cannot click T"
wait_until "the window is still shown after T" main_window_hidden
read -r ix iy < <(tray_icon)
xdotool mousemove "$ix" "$iy" sleep 0.2 click 1 || fail "cannot click the tray icon"
wait_until "a click on the tray icon did not bring the window back" main_window_shown
stop_program
e2e_pass
