#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A second start on the same data folder only brings the running window to the front and
# ends; SIGTERM closes the window the normal way, so a name typed a moment ago is saved.
# A program on another data folder in the same parent runs beside it.
# A program killed in the middle of a save leaves nothing the next start trips over: its lock
# is taken over, temporary files of the save are removed, every data file is whole. SIGTERM
# when nothing can be written ends the program without a box, reporting on standard error.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

# Long names make a save take a while, so that a kill lands inside it.
FILL=$(printf 'Soap%.0s' $(seq 5000)) start_with_names "Milk" ""
first_pid=$APP_PID

# Type a name into slot 2 (field at (16, 112)).
click_at 60 120
xdotool type --delay 30 "Yogurt" || fail "cannot type into the name field"
sleep 0.3

# The second program finds the first one and ends at once, leaving a single window.
(cd "$APP_DIR" && timeout 15 ./pantrova) >"$E2E_DIR/second.log" 2>&1
assert_eq 0 "$?" "exit status of the second start"
windows=$(xdotool search --all --onlyvisible --name '^Pantrova$' 2>/dev/null | wc -l)
assert_eq 1 "$windows" "visible Pantrova windows"
kill -0 "$first_pid" 2>/dev/null || fail "the first program ended"

kill -TERM "$first_pid"
wait_for_exit 15
assert_eq 0 "$APP_STATUS" "exit status after SIGTERM"
assert_data_line RecDesc.txt 1 "Milk"
assert_data_line RecDesc.txt 2 "Yogurt"
assert_file_lines RecDesc.txt 100
assert_crlf RecDesc.txt
cp -r "$APP_DIR/system" "$E2E_DIR/before"
lock="$APP_DIR/system/.pantrova.lock"

assert_clean_start() {
    start_program
    wait_for_window 30
    assert_eq "$APP_PID" "$(head -n 1 "$lock" 2>/dev/null)" "process id in the lock file"
    diff -r -x .pantrova.lock "$E2E_DIR/before" "$APP_DIR/system" >&2 || fail "the data folder is not as it was"
}

assert_clean_start # each clean start is the next one killed during its save
for delay in 0.00 0.01 0.02 0.03 0.05; do
    kill -TERM "$APP_PID"
    sleep "$delay"
    kill -KILL "$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null
    # What an interrupted save leaves where the system cannot hide its temporary files.
    printf 'half a save' >"$APP_DIR/system/.RecDesc.txt.pantrova-save-Q7xk2P"
    printf 'half a copy' >"$APP_DIR/system/.ecol.div.unreadable.pantrova-save-a1B2c3"
    assert_clean_start
done

# Two data folders in one parent are two programs' to hold, side by side.
(cd "$APP_DIR" && exec ./pantrova --data-folder "$APP_DIR/other") >"$E2E_DIR/other.log" 2>&1 &
other_pid=$!
other_window() { [ -n "$(xdotool search --all --onlyvisible --pid "$other_pid" --name '^Pantrova$' 2>/dev/null)" ]; }
wait_until "no window on a second folder beside the first" other_window
kill -0 "$APP_PID" 2>/dev/null || fail "the first program ended"
kill -TERM "$other_pid"
wait "$other_pid"
assert_eq 0 "$?" "exit status of the program on the second folder"

mv "$APP_DIR/system" "$APP_DIR/system.kept"
printf 'not a folder' >"$APP_DIR/system"
kill -TERM "$APP_PID"
wait_for_exit 15
assert_eq 1 "$APP_STATUS" "exit status after SIGTERM when nothing could be saved"
grep -q "Cannot create file $APP_DIR/system/InvRecs.txt" "$APP_DIR/output.log" || fail "no report on standard error"
[ ! -e "$lock" ] || fail "the lock file is left after a normal end"
e2e_pass
