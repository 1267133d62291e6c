#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The command line on a prepared data folder at a fixed date (faketime): "--due" and
# "--list --csv", their output and exit statuses (also days after the due days), also while
# the window is open on the same folder (they write nothing and take no lock); "--history"
# past a damaged line; a damaged records file, named with its line; a missing data folder and
# a full output device, both failures; no display; a data folder that cannot be made.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
command -v faketime >/dev/null || fail "faketime is not installed (scripts/test installs it)"
at_date() { faketime '2026-12-10 12:00:00' "$APP_DIR/pantrova" "$@"; }

empty_records records
records=$(sed '1s|.*|12/01/2026 1 010 3|; 2s|.*|11/30/2026 1 010 3|; 3s|.*|12/01/2026 1 030 3|' <<<"$records")$'\n'
lines_100 names "Tea" "Milk, whole" "Soap"
plain_colours colours
install_program "$records" "$names" "$colours"
printf 'date,slot,name,cycle days\r\n2026-11-02,1,Tea,10\r\nbroken\r\n2026-11-09,1,Tea,10\r\n' >"$APP_DIR/system/history.csv"

check_reports() {
    local out
    out=$(at_date --due)
    assert_eq $'1:Tea\tprewarn\t1 day left\nMilk, whole\tdue\ttoday' "$?:$out" "--due"
    out=$(at_date --list --csv | tr -d '\r')
    assert_eq "slot,name,buy date,tracking,cycle days,prewarn days,next date,state
1,Tea,2026-12-01,yes,010,3,2026-12-11,prewarn
2,\"Milk, whole\",2026-11-30,yes,010,3,2026-12-10,due
3,Soap,2026-12-01,yes,030,3,2026-12-31,plain" "$out" "--list --csv"
}
check_reports
# A folder named on the command line that is not there is no all-clear.
out=$(at_date --due --data-folder "$E2E_DIR/elsewhere" 2>&1)
assert_eq "2:pantrova: The data folder $E2E_DIR/elsewhere does not exist." "$?:$out" "--due on a missing folder"
[ ! -e "$E2E_DIR/elsewhere" ] || fail "--due created the data folder"
# Output that cannot be written is a failure, as in any GNU program.
out=$(at_date --list --csv 2>&1 >/dev/full)
assert_eq "2:pantrova: write error: No space left on device" "$?:$out" "--list --csv on a full device"

start_program
wait_for_window 30
before=$(cd "$APP_DIR" && ls -A . system && md5sum system/*)
check_reports
assert_eq "$before" "$(cd "$APP_DIR" && ls -A . system && md5sum system/*)" "the folder after the reports"
close_program

out=$(at_date --history tea 2>"$E2E_DIR/err")
assert_eq "0:  median interval: 7 days" "$?:$(grep median <<<"$out")" "--history tea"
assert_eq "pantrova: Skipped damaged lines of $APP_DIR/system/history.csv: 3" "$(cat "$E2E_DIR/err")" "--history warning"

# Six days later nobody has bought: both items are due, not merely yellow.
out=$(faketime '2026-12-16 12:00:00' "$APP_DIR/pantrova" --due)
assert_eq $'1:Tea\tdue\t5 days overdue\nMilk, whole\tdue\t6 days overdue' "$?:$out" "--due after the due days"

# A record that does not convert is named; every other item is still reported, and that one by
# the colour the window last saved for it (yellow: the window ran a day earlier).
sed -i '2s|.*|11/31/2026 1 010 3\r|' "$APP_DIR/system/InvRecs.txt"
out=$(at_date --due 2>"$E2E_DIR/err")
assert_eq $'1:Tea\tprewarn\t1 day left\nMilk, whole\tprewarn:pantrova: InvRecs.txt, line 2: \'11/31/2026\' is not a valid date' \
    "$?:$out:$(cat "$E2E_DIR/err")" "--due on a damaged file"
# A history of many damaged lines names the first few and how many there are.
seq 12 >>"$APP_DIR/system/history.csv"
at_date --history tea >/dev/null 2>"$E2E_DIR/err"
assert_eq "pantrova: Skipped damaged lines of $APP_DIR/system/history.csv: 3, 5, 6, 7, 8, ... (13 lines)" \
    "$(tail -n 1 "$E2E_DIR/err")" "--history with many damaged lines"
at_date --lsit 2>/dev/null
assert_eq 2 "$?" "exit status for an unknown option"
out=$(at_date --due --data-folder "$APP_DIR/system" --data-folder /tmp 2>&1)
assert_eq "2:pantrova: --data-folder is given more than once." "$?:$(head -n 1 <<<"$out")" "a repeated --data-folder"

# No display: the window cannot open, and the reports are named instead of Qt's abort.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$APP_DIR/pantrova" 2>&1)
assert_eq 2 "$?" "exit status without a display"
grep -q "no display was found" <<<"$out" && grep -q -- "--due, --list and --history" <<<"$out" ||
    fail "without a display: $out"

# A data folder that cannot be made: an error box names it before any window opens.
"$APP_DIR/pantrova" --data-folder /proc/self/pantrova >"$E2E_DIR/err" 2>&1 &
APP_PID=$!
error_box() { box=$(xdotool search --all --onlyvisible --pid "$APP_PID" --name '^Error$' 2>/dev/null) && [ -n "$box" ]; }
wait_until "no error box for a data folder that cannot be made" error_box
grep -qxF "pantrova: The data folder /proc/self/pantrova cannot be created." "$E2E_DIR/err" || fail "$(cat "$E2E_DIR/err")"
xdotool windowactivate --sync "${box%%$'\n'*}" key Return
wait_for_exit 15
assert_eq 1 "$APP_STATUS" "exit status for a data folder that cannot be made"
e2e_pass
