#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A window hidden to the notification area is shown again when the notification area ends.
# However the program is ended, what was changed is saved and the lock is gone: a hang-up
# signal (the terminal closed), the window destroyed by the window manager (it would otherwise
# run on with only its tray icon), and the display going away (the X server ends; the program
# then cannot show a thing and saves without it). Each time a name is being typed, not ended.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

lock_gone() { [ ! -e "$APP_DIR/system/.pantrova.lock" ]; }

# type_name <slot-3 name>: types into slot 3 (field at (16, 136)) without ending the name.
type_name() {
    click_at 60 144
    xdotool key End
    xdotool type --delay 30 "$1" || fail "cannot type into the name field"
    sleep 0.2
}

command -v trayer >/dev/null || fail "trayer is not installed (scripts/test installs it)"
TRAYER_PID=""
trap '[ -n "$TRAYER_PID" ] && kill "$TRAYER_PID" 2>/dev/null; e2e_cleanup' EXIT

# Hidden to a notification area that then ends, the window comes back instead of being lost.
trayer --edge top --align right --widthtype pixel --width 100 --heighttype pixel --height 24 \
    >"$E2E_DIR/trayer.log" 2>&1 &
TRAYER_PID=$!
start_with_names "Milk"
sleep 1
click_at 765 16
wait_until "the window is still shown after T" main_window_hidden
kill "$TRAYER_PID"
wait "$TRAYER_PID" 2>/dev/null
TRAYER_PID=""
wait_until "the window stayed hidden after the notification area ended" main_window_shown
sleep 0.5
window_geometry

type_name "Hangup"
kill -HUP "$APP_PID"
wait_for_exit 15
assert_data_line RecDesc.txt 3 "Hangup"
assert_true "the lock is left after SIGHUP" lock_gone

start_program
wait_for_window 30
type_name "Destroyed"
xdotool windowclose "$WINDOW_ID" || fail "cannot destroy the window"
wait_for_exit 15
assert_data_line RecDesc.txt 3 "HangupDestroyed"
assert_true "the lock is left after the window was destroyed" lock_gone

# A display of the test's own, without a window manager, that can be ended.
display_file="$E2E_DIR/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >"$E2E_DIR/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_until "the second X server did not start" test -s "$display_file"
outer_display=$DISPLAY
export DISPLAY=":$(tr -d '[:space:]' <"$display_file")"
start_program
wait_for_window 30
type_name "Gone"
kill -TERM "$xvfb_pid"
wait "$xvfb_pid" 2>/dev/null
wait_for_exit 15
export DISPLAY=$outer_display
assert_data_line RecDesc.txt 3 "HangupDestroyedGone"
assert_data_line RecDesc.txt 1 "Milk"
assert_file_lines RecDesc.txt 100
assert_true "the lock is left after the display went away" lock_gone
e2e_pass
