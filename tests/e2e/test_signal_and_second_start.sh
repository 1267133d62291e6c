#!/usr/bin/env bash
# A second start on the same data folder only brings the running window to the front and
# ends; SIGTERM closes the window the normal way, so a name typed a moment ago is saved.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

empty_records records
lines_100 names "Milk"
plain_colours colours
install_program "$records" "$names" "$colours"

start_program
wait_for_window 30
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

e2e_pass
