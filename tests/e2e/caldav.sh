# SPDX-License-Identifier: GPL-3.0-or-later
# A CalDAV server and a phone for the phone-sync tests, sourced by a test script (after lib.sh
# and e2e_init when the test uses them; alone it brings its own small log and fail helpers):
#
#     source "$(dirname "$0")/caldav.sh"
#     radicale_start "$E2E_DIR/radicale"          # user "pantrova", password "secret"
#     list=$(phone make-list Groceries)          # the task list's collection URL
#     phone tasks "$list"                        # uid, summary, due, status, categories
#     phone tick "$list" Milk 2026-12-10T08:30:00Z
#     radicale_restart                           # same port, same storage
#
# The server is Debian's Radicale with a configuration of its own in the given folder (the
# system's /etc/radicale/config is never read): filesystem storage in <folder>/collections,
# htpasswd authentication from a plain-text file, its output in <folder>/radicale.log. It
# listens on 127.0.0.1 on a free port and keeps that port across radicale_restart, so a
# program that was given RADICALE_URL finds it again. radicale_start adds radicale_stop to the
# script's EXIT trap: call it in the test's own shell (not in $(...)) and after e2e_init.
#
# Radicale and python3-caldav are Debian's, so they run under Debian's python3 even when
# another python3 comes first on PATH; CALDAV_PYTHON overrides that.

CALDAV_PYTHON=${CALDAV_PYTHON:-/usr/bin/python3}
CALDAV_PHONE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/phone.py"

RADICALE_DIR=""      # the server's folder: config, users, collections/, radicale.log
RADICALE_PORT=""     # its port on 127.0.0.1, kept by radicale_restart
RADICALE_URL=""      # http://127.0.0.1:<port>/
RADICALE_PID=""      # the running server, empty while it is stopped
RADICALE_USER=""
RADICALE_PASSWORD=""

# Without lib.sh the script still logs and fails clearly.
if ! declare -F e2e_log >/dev/null; then
    e2e_log() { echo "[$(date +%H:%M:%S)] $*"; }
fi
if ! declare -F fail >/dev/null; then
    fail() {
        echo "FAIL: $*" >&2
        exit 1
    }
fi

# radicale_log_tail: the end of the server's output, for failure messages.
radicale_log_tail() {
    [ -n "$RADICALE_DIR" ] && [ -s "$RADICALE_DIR/radicale.log" ] || return 0
    echo "--- radicale.log ---"
    tail -n 20 "$RADICALE_DIR/radicale.log"
}

# radicale_free_port: prints a TCP port on 127.0.0.1 that nobody listens on right now.
radicale_free_port() {
    "$CALDAV_PYTHON" -c 'import socket
s = socket.socket()
s.bind(("127.0.0.1", 0))
print(s.getsockname()[1])
s.close()'
}

# radicale_answers: true once the server answers HTTP on its port (any status, 401 included).
radicale_answers() {
    "$CALDAV_PYTHON" - "$RADICALE_URL" <<'PY' 2>/dev/null
import sys, urllib.request, urllib.error
try:
    urllib.request.urlopen(sys.argv[1], timeout=1)
except urllib.error.HTTPError:
    pass
except Exception:
    sys.exit(1)
PY
}

# radicale_write_config: the server's configuration and user file in RADICALE_DIR.
radicale_write_config() {
    mkdir -p "$RADICALE_DIR/collections" || fail "cannot create $RADICALE_DIR/collections"
    printf '%s:%s\n' "$RADICALE_USER" "$RADICALE_PASSWORD" >"$RADICALE_DIR/users" ||
        fail "cannot write $RADICALE_DIR/users"
    cat >"$RADICALE_DIR/config" <<CONF || fail "cannot write $RADICALE_DIR/config"
[server]
hosts = 127.0.0.1:$RADICALE_PORT
ssl = False

[auth]
type = htpasswd
htpasswd_filename = $RADICALE_DIR/users
htpasswd_encryption = plain
# A wrong password is answered at once; the tests need no brute-force brake.
delay = 0

[rights]
type = owner_only

[storage]
type = multifilesystem
filesystem_folder = $RADICALE_DIR/collections

[web]
type = none

[logging]
level = info
mask_passwords = True
CONF
}

# radicale_launch: starts the server on RADICALE_PORT and waits up to 15 s until it answers.
# Returns 1 when the server ended at once because the port was taken; fails on anything else.
radicale_launch() {
    local started=$SECONDS
    # RADICALE_CONFIG points at the same file, so no default configuration path is read either.
    RADICALE_CONFIG="$RADICALE_DIR/config" "$CALDAV_PYTHON" -m radicale --config "$RADICALE_DIR/config" \
        >>"$RADICALE_DIR/radicale.log" 2>&1 &
    RADICALE_PID=$!
    while ! radicale_answers; do
        if ! kill -0 "$RADICALE_PID" 2>/dev/null; then
            wait "$RADICALE_PID" 2>/dev/null
            RADICALE_PID=""
            grep -q 'Address already in use' "$RADICALE_DIR/radicale.log" && return 1
            fail "radicale ended at start$(printf '\n')$(radicale_log_tail)"
        fi
        if [ $((SECONDS - started)) -ge 15 ]; then
            radicale_stop
            fail "radicale does not answer on $RADICALE_URL within 15 s$(printf '\n')$(radicale_log_tail)"
        fi
        sleep 0.1
    done
    export RADICALE_PID
    e2e_log "radicale: pid $RADICALE_PID on $RADICALE_URL, storage in $RADICALE_DIR/collections"
}

# radicale_add_stop_to_exit_trap: the script's EXIT trap stops the server before its other work.
radicale_add_stop_to_exit_trap() {
    local current words
    current=$(trap -p EXIT)
    [[ $current == *radicale_stop* ]] && return 0
    if [ -n "$current" ]; then
        eval "words=($current)" # trap -- '<command>' EXIT
        # shellcheck disable=SC2064 # the earlier command is meant to be fixed now
        trap "radicale_stop; ${words[2]}" EXIT
    else
        trap radicale_stop EXIT
    fi
}

# radicale_start <folder> [user password]: starts a fresh server keeping its files in the
# folder; exports RADICALE_URL, RADICALE_PID, RADICALE_USER and RADICALE_PASSWORD.
radicale_start() {
    [ $# -eq 1 ] || [ $# -eq 3 ] || fail "radicale_start needs a folder, optionally a user and a password"
    [ -z "$RADICALE_PID" ] || fail "radicale already runs (pid $RADICALE_PID)"
    "$CALDAV_PYTHON" -c 'import radicale' 2>/dev/null ||
        fail "Radicale is not installed for $CALDAV_PYTHON (scripts/test installs radicale)"
    [[ ${2:-x} != *:* ]] || fail "a Radicale user name cannot contain ':'"
    RADICALE_DIR=$(mkdir -p "$1" && cd "$1" && pwd) || fail "cannot create the folder $1"
    RADICALE_USER=${2:-pantrova}
    RADICALE_PASSWORD=${3:-secret}
    radicale_add_stop_to_exit_trap
    local _
    for _ in 1 2 3; do
        RADICALE_PORT=$(radicale_free_port) || fail "cannot find a free port"
        RADICALE_URL="http://127.0.0.1:$RADICALE_PORT/"
        radicale_write_config
        radicale_launch && break
        e2e_log "radicale: port $RADICALE_PORT was taken meanwhile, trying another"
    done
    [ -n "$RADICALE_PID" ] || fail "radicale found no free port$(printf '\n')$(radicale_log_tail)"
    export RADICALE_URL RADICALE_USER RADICALE_PASSWORD
}

# radicale_stop: stops the server and keeps its storage; nothing happens when none runs.
radicale_stop() {
    [ -n "$RADICALE_PID" ] || return 0
    local pid=$RADICALE_PID deadline=$((SECONDS + 5))
    RADICALE_PID=""
    kill "$pid" 2>/dev/null
    while kill -0 "$pid" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    e2e_log "radicale: stopped pid $pid"
    return 0
}

# radicale_restart: stops the server when it runs and starts it again on the same port with
# the same storage, users and URL.
radicale_restart() {
    if [ -z "$RADICALE_DIR" ] || [ -z "$RADICALE_PORT" ]; then
        fail "radicale_restart before radicale_start"
    fi
    radicale_stop
    radicale_launch || fail "radicale cannot listen on port $RADICALE_PORT again: it is taken"
}

# phone <command> [arguments...]: the phone's task app (phone.py) on the server's account.
# Its standard output is the command's answer; it ends non-zero with a message on failure.
phone() {
    [ -n "$RADICALE_URL" ] || fail "phone before radicale_start"
    "$CALDAV_PYTHON" "$CALDAV_PHONE" --url "$RADICALE_URL" --user "$RADICALE_USER" \
        --password "$RADICALE_PASSWORD" "$@"
}
