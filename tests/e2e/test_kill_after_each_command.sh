#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every command is on disk when it has run: a SIGKILL after each step of a shopping day (a name
# typed, "P", "Set Days...", a date from the calendar, "Reset All Red") loses nothing. After
# each kill the three files and the history show every completed step, and the next start shows
# the same colours. The user's own files in the data folder survive the starts and the saves.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

today=$(date +%m/%d/%Y)
today_iso=$(date +%F)
ten_days_ago=$(date -d '-10 days' +%m/%d/%Y)
week_ago=$(date -d '-7 days' +%m/%d/%Y)
# Slot 1 "Milk" and slot 4 "Soap" are due today (red); slot 3 is still unnamed.
empty_records records
records=$(printf '%s' "$records" | sed "1s|.*|$ten_days_ago 1 010 3|; 4s|.*|$week_ago 1 007 2|")$'\n'
lines_100 names "Milk" "" "" "Soap"
plain_colours colours
install_program "$records" "$names" "$colours"
# Files of the user's that look like what a save leaves behind.
for own in InvRecs.txt.backup RecDesc.txt.before ecol.div.zzzzzz; do
    printf 'mine\n' >"$APP_DIR/system/$own"
done
mkdir -p "$APP_DIR/system/.ecol.div.pantrova-save-Ab12Cd/inside"

history_lines() { [ -f "$APP_DIR/system/history.csv" ] && tail -n +2 "$APP_DIR/system/history.csv" | tr -d '\r' || true; }

# kill_and_restart: the hardest end there is, then a new start on what it left.
kill_and_restart() {
    kill -KILL "$APP_PID"
    wait "$APP_PID" 2>/dev/null
    e2e_log "killed"
    for file in InvRecs.txt RecDesc.txt ecol.div; do
        assert_file_lines "$file" 100
        assert_crlf "$file"
    done
    start_program
    wait_for_window 30
}

start_program
wait_for_window 30
assert_pixel 130 96 "#ff0000"

# 1. A name typed into slot 3 (field at (16, 136)) and ended with Return.
click_at 60 144
xdotool type --delay 30 "Bread" || fail "cannot type into the name field"
xdotool key Return
sleep 0.3
kill_and_restart
assert_data_line RecDesc.txt 3 "Bread"

# 2. "P" beside slot 1 (button at (144, 88)): bought today.
click_at 155 95
sleep 0.3
kill_and_restart
assert_data_line InvRecs.txt 1 "$today 1 010 3"
assert_data_line ecol.div 1 "13565951"
assert_eq "$today_iso,1,Milk,10" "$(history_lines)" "the history after P"
assert_pixel_unhovered 130 96 "#ffffce"

# 3. "Set Days..." then "7" on the untracked "Bread", with the keys.
click_at 60 144 3
sleep 0.5
xdotool key --delay 120 Down Down Right Down Down Down Down Down Down Return
sleep 0.5
kill_and_restart
assert_data_line InvRecs.txt 3 "$today 1 007 3"
assert_data_line ecol.div 3 "13565951"
assert_eq "$today_iso,3,Bread,7" "$(history_lines | tail -n 1)" "the history after Set Days"
assert_pixel_unhovered 130 144 "#ffffce"

# 4. "Set hard date" on the tracked "Milk" (the fourth entry), then a day of the calendar.
click_at 60 96 3
sleep 0.5
xdotool key --delay 120 Down Down Down Down Return
sleep 0.5
click_at 428 357
sleep 0.3
kill_and_restart
picked=$(data_line InvRecs.txt 1)
picked_iso=$(date -d "${picked:6:4}-${picked:0:2}-${picked:3:2}" +%F) || fail "line 1 holds no date: $picked"
assert_eq "${picked:10}" " 1 010 3" "the rest of line 1 after the calendar"
assert_eq "$picked_iso,1,Milk,10" "$(history_lines | tail -n 1)" "the history after the calendar"
assert_eq 3 "$(history_lines | wc -l)" "history lines after the calendar"

# 5. "Reset All Red" (button at (106, 34)) answered with Return: "Yes" is the default.
assert_pixel 130 168 "#ff0000"
click_at 149 45
sleep 0.8
xdotool key Return
sleep 0.5
kill_and_restart
assert_data_line InvRecs.txt 4 "$today 1 007 2"
assert_data_line ecol.div 4 "13565951"
assert_eq "$today_iso,4,Soap,7" "$(history_lines | tail -n 1)" "the history after Reset All Red"
assert_pixel_unhovered 130 168 "#ffffce"
assert_pixel 130 144 "#ffffce"

# A report run beside the open window sees what the window shows.
due=$(cd "$APP_DIR" && ./pantrova --list --csv) || fail "the list report failed"
grep -q "^4,Soap,$today_iso,.*,bought" <<<"$due" || fail "the report does not show the reset: $due"

close_program
for own in InvRecs.txt.backup RecDesc.txt.before ecol.div.zzzzzz; do
    assert_eq "mine" "$(cat "$APP_DIR/system/$own")" "the user's file $own"
done
[ -d "$APP_DIR/system/.ecol.div.pantrova-save-Ab12Cd/inside" ] || fail "a folder of the user's was removed"
e2e_pass
