#!/usr/bin/env bash
# The command line on a prepared data folder at a fixed date (through faketime): "--due" and
# "--list --csv" with their output and exit statuses, also while the window is open on the
# same folder (they write nothing and take no lock), "--history" over a history with a
# damaged line, and a damaged records file.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
command -v faketime >/dev/null || fail "faketime is not installed (scripts/test installs it)"

at_date() {
    faketime '2026-12-10 12:00:00' "$APP_DIR/pantrova" "$@"
}

empty_records records
records=$(printf '%s' "$records" | sed '1s|.*|12/01/2026 1 010 3|; 2s|.*|11/30/2026 1 010 3|;
    3s|.*|11/25/2026 1 010 3|; 4s|.*|12/01/2026 1 030 3|')$'\n'
lines_100 names "Tea" "Milk, whole" "Rice" "Soap"
plain_colours colours
install_program "$records" "$names" "$colours"
printf 'date,slot,name,cycle days\r\n2026-11-02,1,Tea,10\r\n2026-11-09,1,Tea,10\r\nbroken\r\n2026-11-18,1,Tea,10\r\n' \
    >"$APP_DIR/system/history.csv"

expected_due=$'Tea\tprewarn\t1 day left\nMilk, whole\tdue\ttoday\nRice\tprewarn\t5 days overdue'
expected_csv="slot,name,buy date,tracking,cycle days,prewarn days,next date,state
1,Tea,2026-12-01,yes,010,3,2026-12-11,prewarn
2,\"Milk, whole\",2026-11-30,yes,010,3,2026-12-10,due
3,Rice,2026-11-25,yes,010,3,2026-12-05,prewarn
4,Soap,2026-12-01,yes,030,3,2026-12-31,plain"

check_reports() {
    local out status
    out=$(at_date --due)
    status=$?
    assert_eq "$expected_due" "$out" "--due output"
    assert_eq 1 "$status" "exit status of --due with something due"
    out=$(at_date --list --csv | tr -d '\r')
    assert_eq 0 "${PIPESTATUS[0]}" "exit status of --list --csv"
    assert_eq "$expected_csv" "$out" "--list --csv output"
}

check_reports
# The reports never create the data folder, nor write anything.
out=$(at_date --due --data-folder "$E2E_DIR/elsewhere")
assert_eq "0:" "$?:$out" "--due on a folder not made yet"
[ ! -e "$E2E_DIR/elsewhere" ] || fail "--due created the data folder"

# With the window open on the same folder: the same answers, and the files stay as they were.
start_program
wait_for_window 30
before=$(cd "$APP_DIR" && ls -A . system && md5sum system/*)
check_reports
after=$(cd "$APP_DIR" && ls -A . system && md5sum system/*)
assert_eq "$before" "$after" "the folder after the reports"
kill -0 "$APP_PID" || fail "the window ended"
click_at $((286 + 43)) $((34 + 11))
wait_for_exit 15

# The history: read past its damaged line, which is reported once.
out=$(at_date --history tea 2>"$E2E_DIR/err")
assert_eq 0 "$?" "exit status of --history"
assert_eq "Tea (item 1), cycle days set now: 10
  purchases: 11/02/2026, 11/09/2026, 11/18/2026
  median interval: 8 days
  suggested cycle: 8 days" "$out" "--history tea"
assert_eq "Skipped damaged lines of $APP_DIR/system/history.csv: 4" "$(cat "$E2E_DIR/err")" "--history warning"

# A damaged records file: the window's message on standard error, exit status 2.
sed -i '2s|.*|11/31/2026 1 010 3\r|' "$APP_DIR/system/InvRecs.txt"
out=$(at_date --due 2>"$E2E_DIR/err")
assert_eq "2:" "$?:$out" "exit status and output of --due on a damaged file"
assert_eq "'11/31/2026' is not a valid date" "$(cat "$E2E_DIR/err")" "message for the damaged file"

# A data folder that cannot be made: an error box names it, and the program ends before the
# window opens.
"$APP_DIR/pantrova" --data-folder /proc/self/pantrova >"$E2E_DIR/err" 2>&1 &
APP_PID=$!
box=""
for _ in $(seq 100); do
    box=$(xdotool search --all --onlyvisible --pid "$APP_PID" --name '^Error$' 2>/dev/null | head -n 1)
    [ -n "$box" ] && break
    sleep 0.1
done
[ -n "$box" ] || fail "no error box for a data folder that cannot be made"
grep -q "The data folder /proc/self/pantrova cannot be created." "$E2E_DIR/err" || fail "message: $(cat "$E2E_DIR/err")"
xdotool windowactivate --sync "$box" key Return
wait_for_exit 15
assert_eq 1 "$APP_STATUS" "exit status for a data folder that cannot be made"

at_date --lsit 2>/dev/null
assert_eq 2 "$?" "exit status for an unknown option"
assert_eq "Pantrova 1.0" "$("$APP_DIR/pantrova" --version)" "--version"
e2e_pass
