#!/usr/bin/env bash
# A program killed in the middle of a save leaves nothing the next start trips over: its lock
# is taken over, temporary files of the save are removed, every data file is whole. An empty
# lock left by a crash does not stop a start; SIGTERM when nothing can be written ends the
# program without a box, reporting on standard error.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

# Long names make the close's save take a while, so that the kill lands inside it.
empty_records records
FILL=$(printf 'Soap%.0s' $(seq 5000)) lines_100 names
plain_colours colours
install_program "$records" "$names" "$colours"
cp -r "$APP_DIR/system" "$E2E_DIR/before"
lock="$APP_DIR/.pantrova.lock"

assert_clean_start() {
    start_program
    wait_for_window 30
    assert_eq "$APP_PID" "$(head -n 1 "$lock" 2>/dev/null)" "process id in the lock file"
    diff -r "$E2E_DIR/before" "$APP_DIR/system" >&2 || fail "the data folder is not as it was"
}

for delay in 0.00 0.01 0.02 0.03 0.05; do
    start_program
    wait_for_window 30
    kill -TERM "$APP_PID"
    sleep "$delay"
    kill -KILL "$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null
    # What an interrupted save leaves where the system cannot hide its temporary files.
    printf 'half a save' >"$APP_DIR/system/RecDesc.txt.Q7xk2P"
    printf 'half a copy' >"$APP_DIR/system/ecol.div.unreadable.a1B2c3"
    assert_clean_start
    kill -KILL "$APP_PID"
    wait "$APP_PID" 2>/dev/null
done

: >"$lock"
assert_clean_start

mv "$APP_DIR/system" "$APP_DIR/system.kept"
printf 'not a folder' >"$APP_DIR/system"
kill -TERM "$APP_PID"
wait_for_exit 15
grep -q "Cannot create file $APP_DIR/system/InvRecs.txt" "$APP_DIR/output.log" || fail "no report on standard error"
[ ! -e "$lock" ] || fail "the lock file is left after a normal end"
e2e_pass
