# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers for the real-window tests, sourced by tests/e2e/test_*.sh. Each test runs under
# with-xvfb.sh, which provides the X display; the helpers install a copy of the program with
# its own data folder in a temporary folder, start it, find its window, click on it, read
# screen colours and check the data files it writes.
#
# A test script starts with:
#     source "$(dirname "$0")/lib.sh"
#     e2e_init "$1"
# and ends with e2e_pass. Every assert_* helper ends the test with a clear message on failure.
# With E2E_KEEP_SCREEN=<file.png> set, a failing test also saves the whole screen there.

set -uo pipefail

E2E_PROGRAM=""     # the built program under test
E2E_DIR=""         # temporary folder of this test
APP_DIR=""         # the installed copy: $APP_DIR/pantrova and $APP_DIR/system/
APP_PID=""         # process id of the running program
APP_STATUS=""      # its exit status once wait_for_exit has seen it end
WINDOW_ID=""       # its main window
WIN_X=0 WIN_Y=0 WIN_W=0 WIN_H=0 # the window's client area on the screen
GRAB=""            # tools/grabwindow of the same build

CRLF=$'\r\n'

e2e_log() {
    echo "[$(date +%H:%M:%S)] $*"
}

# fail <message>: ends the test as failed, showing the program's output.
fail() {
    echo "FAIL: $*" >&2
    if [ -n "$APP_DIR" ] && [ -s "$APP_DIR/output.log" ]; then
        echo "--- program output ---" >&2
        tail -n 40 "$APP_DIR/output.log" >&2
    fi
    if [ -n "$GRAB" ] && [ -n "$E2E_DIR" ] && [ -n "${E2E_KEEP_SCREEN:-}" ]; then
        "$GRAB" screen "$E2E_KEEP_SCREEN" 2>/dev/null && echo "screen saved to $E2E_KEEP_SCREEN" >&2
    fi
    exit 1
}

e2e_pass() {
    echo "PASS: $(basename "$0")"
    exit 0
}

e2e_cleanup() {
    if [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; then
        kill "$APP_PID" 2>/dev/null
        sleep 0.3
        kill -9 "$APP_PID" 2>/dev/null
        wait "$APP_PID" 2>/dev/null
    fi
    [ -n "$E2E_DIR" ] && rm -rf "$E2E_DIR"
}

# e2e_init <path-to-pantrova>: checks the display and the program, makes the temporary folder.
e2e_init() {
    E2E_PROGRAM=${1:-}
    [ -n "$E2E_PROGRAM" ] && [ -x "$E2E_PROGRAM" ] || fail "program not found: '$E2E_PROGRAM'"
    [ -n "${DISPLAY:-}" ] || fail "no DISPLAY; run the test through with-xvfb.sh"
    E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/pantrova-e2e.XXXXXX")
    trap e2e_cleanup EXIT
    # The build puts the program in bin/ and the tools in tools/ of the same build folder.
    local build_dir
    build_dir=$(cd "$(dirname "$E2E_PROGRAM")/.." && pwd)
    if [ -x "$build_dir/tools/grabwindow" ]; then
        GRAB="$build_dir/tools/grabwindow"
    fi
}

# --- data files -------------------------------------------------------------------------

# with_crlf: copies standard input to standard output with every line ended by CR LF.
with_crlf() {
    local line
    while IFS= read -r line || [ -n "$line" ]; do
        printf '%s\r\n' "${line%$'\r'}"
    done
}

# lines_100 <variable> [<line for slot 1> <line for slot 2> ...]: stores 100 lines, each ended
# by a newline, in the variable: the given lines first, then copies of $FILL (default: empty
# lines). A variable keeps trailing empty lines, which $(...) would drop.
lines_100() {
    local -n into=$1
    shift
    local fill=${FILL:-}
    local i text=""
    for ((i = 1; i <= 100; i++)); do
        if [ $i -le $# ]; then
            text+="${!i}"$'\n'
        else
            text+="$fill"$'\n'
        fi
    done
    into=$text
}

# empty_records <variable>: the records file of an empty inventory.
empty_records() {
    FILL="00/00/0000 0 000 3" lines_100 "$1"
}

# plain_colours <variable>: the colours file with every field silver.
plain_colours() {
    FILL="12632256" lines_100 "$1"
}

# install_program <records> <names> <colours>: copies the program into a fresh folder with a
# system/ data folder. Each argument is the text of one data file, every line ended by a
# newline (as lines_100 makes it); it is written with CR LF line ends. "-" leaves that file out.
install_program() {
    [ $# -eq 3 ] || fail "install_program needs records, names and colours"
    APP_DIR="$E2E_DIR/app"
    rm -rf "$APP_DIR"
    mkdir -p "$APP_DIR/system" || fail "cannot create $APP_DIR/system"
    cp "$E2E_PROGRAM" "$APP_DIR/pantrova" || fail "cannot copy the program"
    # The sync module lives beside the program.
    local module
    module="$(dirname "$E2E_PROGRAM")/libpantrova-sync.so"
    if [ -f "$module" ]; then
        cp "$module" "$APP_DIR/" || fail "cannot copy the sync module"
    fi
    local contents=("$1" "$2" "$3")
    local files=(InvRecs.txt RecDesc.txt ecol.div)
    local i
    for i in 0 1 2; do
        if [ "${contents[$i]}" != "-" ]; then
            printf '%s' "${contents[$i]}" | with_crlf >"$APP_DIR/system/${files[$i]}"
        fi
    done
}

# start_with_names <name for slot 1> <name for slot 2> ...: installs the program with these
# names (the other slots $FILL), an empty inventory and plain colours, starts it and waits
# for its window.
start_with_names() {
    local records names colours
    empty_records records
    lines_100 names "$@"
    plain_colours colours
    install_program "$records" "$names" "$colours"
    start_program
    wait_for_window 30
}

# data_line <file> <n>: line n (1-based) of a data file, without its line end.
data_line() {
    local line
    line=$(sed -n "${2}p" "$APP_DIR/system/$1")
    printf '%s' "${line%$'\r'}"
}

# --- the program and its window -------------------------------------------------------------

# start_program: starts the installed copy in the background from its own folder.
start_program() {
    [ -n "$APP_DIR" ] || fail "start_program before install_program"
    APP_STATUS=""
    (cd "$APP_DIR" && exec ./pantrova) >"$APP_DIR/output.log" 2>&1 &
    APP_PID=$!
    e2e_log "started pantrova, pid $APP_PID"
}

# wait_for_window [timeout seconds]: waits until the program shows its window "Pantrova";
# sets WINDOW_ID and the window geometry.
wait_for_window() {
    local timeout=${1:-30}
    local deadline=$((SECONDS + timeout))
    WINDOW_ID=""
    while [ $SECONDS -lt $deadline ]; do
        kill -0 "$APP_PID" 2>/dev/null || fail "the program ended before showing its window"
        WINDOW_ID=$(xdotool search --all --onlyvisible --pid "$APP_PID" --name '^Pantrova$' 2>/dev/null | head -n 1)
        [ -n "$WINDOW_ID" ] && break
        sleep 0.2
    done
    [ -n "$WINDOW_ID" ] || fail "no visible window 'Pantrova' of pid $APP_PID within ${timeout} s"
    # Give the window manager a moment to place it and the program to paint it.
    sleep 0.5
    window_geometry
    e2e_log "window $WINDOW_ID at $WIN_X,$WIN_Y size ${WIN_W}x$WIN_H"
}

# window_geometry: reads the client area of WINDOW_ID into WIN_X, WIN_Y, WIN_W, WIN_H.
window_geometry() {
    local info
    info=$(xwininfo -id "$WINDOW_ID" 2>/dev/null) || fail "cannot read the geometry of window $WINDOW_ID"
    WIN_X=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
    WIN_Y=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
    WIN_W=$(awk '/Width:/ {print $2}' <<<"$info")
    WIN_H=$(awk '/Height:/ {print $2}' <<<"$info")
}

# window_is_borderless: true when the window manager draws no frame around WINDOW_ID.
window_is_borderless() {
    local extents hints
    # A window manager that frames windows says how thick the frame is.
    extents=$(xprop -id "$WINDOW_ID" _NET_FRAME_EXTENTS 2>/dev/null)
    if [[ $extents == *=* ]]; then
        [[ $extents == *"= 0, 0, 0, 0"* ]]
        return
    fi
    # Otherwise the window's own request: Motif hints with the decorations flag and no decorations.
    hints=$(xprop -id "$WINDOW_ID" _MOTIF_WM_HINTS 2>/dev/null)
    [[ $hints =~ =\ 0x([0-9a-f]+),\ 0x([0-9a-f]+),\ 0x([0-9a-f]+) ]] || return 1
    (((0x${BASH_REMATCH[1]} & 2) != 0 && 0x${BASH_REMATCH[3]} == 0))
}

# move_to <x> <y>: moves the pointer to a point of the window's client area.
move_to() {
    xdotool mousemove --window "$WINDOW_ID" "$1" "$2" || fail "cannot move the pointer to $1,$2"
}

# click_at <x> <y> [button]: clicks at a point of the window's client area (button 1 = left,
# 3 = right). The pointer rests there a moment first, as a hand would, so hover effects run.
click_at() {
    local button=${3:-1}
    move_to "$1" "$2"
    sleep 0.2
    xdotool click "$button" || fail "cannot click at $1,$2"
    sleep 0.2
}

# pixel_at <x> <y>: the colour "#rrggbb" at a point of the window's client area.
pixel_at() {
    [ -n "$GRAB" ] || fail "tools/grabwindow not built; cannot read screen colours"
    "$GRAB" pixel $((WIN_X + $1)) $((WIN_Y + $2)) 2>/dev/null || fail "cannot read the pixel at $1,$2"
}

# screenshot <file.png>: saves the window as a PNG picture.
screenshot() {
    [ -n "$GRAB" ] || fail "tools/grabwindow not built; cannot take a screenshot"
    "$GRAB" window "$WINDOW_ID" "$1" 2>/dev/null || fail "cannot save a screenshot to $1"
}

# close_program: clicks "Close" and waits until the program has ended with status 0.
close_program() {
    click_at $((286 + 43)) $((34 + 11))
    wait_for_exit 15
    assert_eq 0 "$APP_STATUS" "exit status of the program"
}

# wait_until <what> <command...>: retries the command for up to 10 s; fails with <what>.
wait_until() {
    local what=$1 deadline=$((SECONDS + 10))
    shift
    until "$@"; do
        [ $SECONDS -lt $deadline ] || fail "$what"
        sleep 0.2
    done
}

# wait_for_exit [timeout seconds]: waits until the program has ended; sets APP_STATUS.
wait_for_exit() {
    local timeout=${1:-15}
    local deadline=$((SECONDS + timeout))
    while kill -0 "$APP_PID" 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || fail "the program still runs ${timeout} s later"
        sleep 0.1
    done
    wait "$APP_PID"
    APP_STATUS=$?
    APP_PID=""
    e2e_log "program ended with status $APP_STATUS"
}

# --- assertions -------------------------------------------------------------------------------

# assert_eq <expected> <actual> <what>
assert_eq() {
    [ "$1" == "$2" ] || fail "$3: expected '$1', got '$2'"
}

# assert_true <what> <command...>
assert_true() {
    local what=$1
    shift
    "$@" || fail "$what"
}

# assert_window_size <width> <height>
assert_window_size() {
    window_geometry
    assert_eq "${1}x$2" "${WIN_W}x$WIN_H" "window size"
}

assert_borderless() {
    window_is_borderless || fail "window $WINDOW_ID has a window-manager frame: $(xprop -id "$WINDOW_ID" _NET_FRAME_EXTENTS _MOTIF_WM_HINTS 2>&1 | tr '\n' ' ')"
}

# assert_pixel_unhovered <x> <y> <#rrggbb>: as assert_pixel, with the pointer moved off the
# grid first so that no hover look hides the colour.
assert_pixel_unhovered() {
    move_to 400 20
    sleep 0.3
    assert_pixel "$@"
}

# assert_pixel <x> <y> <#rrggbb>: the window shows exactly this colour at that point.
assert_pixel() {
    local colour
    colour=$(pixel_at "$1" "$2")
    assert_eq "$3" "$colour" "colour at $1,$2"
}

# assert_file_lines <file> <count>: a data file holds exactly that many lines.
assert_file_lines() {
    local path="$APP_DIR/system/$1"
    [ -f "$path" ] || fail "$1 was not written"
    local count
    count=$(wc -l <"$path")
    assert_eq "$2" "$count" "number of lines in $1"
}

# assert_crlf <file>: every line of a data file, the last one included, ends with CR LF.
assert_crlf() {
    local path="$APP_DIR/system/$1"
    [ -f "$path" ] || fail "$1 was not written"
    local lines crlf
    lines=$(wc -l <"$path")
    crlf=$(grep -c $'\r$' "$path")
    assert_eq "$lines" "$crlf" "lines of $1 ending with CR LF"
    [ "$(tail -c 2 "$path" | od -An -tx1 | tr -d ' \n')" == "0d0a" ] || fail "$1 does not end with CR LF"
}

# assert_data_line <file> <n> <expected text>
assert_data_line() {
    assert_eq "$3" "$(data_line "$1" "$2")" "line $2 of $1"
}

# --- other windows of the program -------------------------------------------------------------

# visible_window <title>: the id of the program's visible window with exactly this title, if any.
visible_window() {
    xdotool search --all --onlyvisible --pid "$APP_PID" --name "^$1\$" 2>/dev/null | head -n 1
}

# wait_for_named_window <title> [timeout seconds]: waits until the program shows a window with
# this title; prints its id.
wait_for_named_window() {
    local deadline=$((SECONDS + ${2:-15})) id
    while [ $SECONDS -lt $deadline ]; do
        id=$(visible_window "$1")
        if [ -n "$id" ]; then
            sleep 0.5 # placed by the window manager and painted
            echo "$id"
            return 0
        fi
        sleep 0.2
    done
    fail "no visible window '$1' within ${2:-15} s"
}

# main_window_shown: true while the main window (854 wide; the tray icon bears the same name)
# is visible; WINDOW_ID follows it, since a window shown again may be a new one.
main_window_shown() {
    local id
    for id in $(xdotool search --all --onlyvisible --pid "$APP_PID" --name '^Pantrova$' 2>/dev/null); do
        if xwininfo -id "$id" 2>/dev/null | grep -q 'Width: 854'; then
            WINDOW_ID=$id
            return 0
        fi
    done
    return 1
}
main_window_hidden() { ! main_window_shown; }

# tray_icon_geometry: "x y w h" of the program's icon in a trayer tray host, or nothing.
tray_icon_geometry() {
    local panel
    panel=$(xwininfo -root -tree 2>/dev/null | awk '/"panel": \("panel" "trayer"\)/ {print $1; exit}')
    [ -n "$panel" ] || return 0
    xwininfo -tree -id "$panel" 2>/dev/null | awk 'tolower($0) ~ /pantrova/ {
        split($NF, pos, "+"); split($(NF-1), size, "[x+]"); print pos[2], pos[3], size[1], size[2]; exit }'
}
# tray_icon: "x y" of the middle of the program's tray icon, or nothing.
tray_icon() {
    local x y w h
    read -r x y w h < <(tray_icon_geometry)
    [ -n "$x" ] && echo $((x + w / 2)) $((y + h / 2))
}
icon_shown() { [ -n "$(tray_icon_geometry)" ]; }
icon_gone() { [ -z "$(tray_icon_geometry)" ]; }

# click_in <window> <x> <y>: clicks at a point of another window's client area.
click_in() {
    xdotool mousemove --window "$1" "$2" "$3" || fail "cannot move the pointer into window $1"
    sleep 0.2
    xdotool click 1 || fail "cannot click in window $1"
    sleep 0.2
}
