#!/usr/bin/env bash
# A program killed in the middle of a save leaves nothing the next start trips over: the lock
# it held is taken over, the temporary files of the save are removed, and every data file is
# whole. A lock file left empty by a crash does not stop a start either, and a termination
# signal when nothing can be written ends the program without a box, reporting on standard
# error.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

# Long names make the close's save take a while, so that the kill lands inside it.
long_name=$(printf 'Soap%.0s' $(seq 5000))
empty_records records
FILL=$long_name lines_100 names
plain_colours colours
install_program "$records" "$names" "$colours"
for file in InvRecs.txt RecDesc.txt ecol.div; do
    cp "$APP_DIR/system/$file" "$E2E_DIR/$file.before"
done
lock="$APP_DIR/.pantrova.lock"

# assert_clean_start: the program shows its window, holds the lock under its own process id
# and has removed every temporary file; the data files are exactly what was installed.
assert_clean_start() {
    start_program
    wait_for_window 30
    assert_eq "$APP_PID" "$(head -n 1 "$lock" 2>/dev/null)" "process id in the lock file"
    local leftovers
    leftovers=$(ls -A "$APP_DIR/system" | grep -Ev '^(InvRecs\.txt|RecDesc\.txt|ecol\.div)$')
    assert_eq "" "$leftovers" "files left in the data folder"
    for file in InvRecs.txt RecDesc.txt ecol.div; do
        cmp -s "$E2E_DIR/$file.before" "$APP_DIR/system/$file" || fail "$file is not whole"
    done
}

for delay in 0.00 0.01 0.02 0.03 0.05; do
    start_program
    wait_for_window 30
    kill -TERM "$APP_PID"
    sleep "$delay"
    kill -KILL "$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null
    APP_PID=""
    [ -e "$lock" ] || e2e_log "the close finished before the kill after $delay s"
    # What an interrupted save leaves where the system cannot hide its temporary files.
    printf 'half a save' >"$APP_DIR/system/RecDesc.txt.Q7xk2P"
    printf 'half a copy' >"$APP_DIR/system/ecol.div.unreadable.a1B2c3"
    assert_clean_start
    kill -KILL "$APP_PID"
    wait "$APP_PID" 2>/dev/null
    APP_PID=""
done

# A crash between creating the lock and writing it leaves it empty.
: >"$lock"
assert_clean_start

# Nothing can be written (a file where the data folder was): SIGTERM still ends the program,
# without waiting for a click, and says why on standard error.
mv "$APP_DIR/system" "$APP_DIR/system.kept"
printf 'not a folder' >"$APP_DIR/system"
kill -TERM "$APP_PID"
wait_for_exit 15
grep -q "Cannot create file $APP_DIR/system/InvRecs.txt" "$APP_DIR/output.log" ||
    fail "no report of the failed save on standard error"
[ ! -e "$lock" ] || fail "the lock file is left after a normal end"

e2e_pass
