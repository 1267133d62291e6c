#!/usr/bin/env bash
# The tray icon appears in a tray host started after the program. "Set Days..." then "7"
# chosen with the keyboard turns an untracked named item cream. "T" hides the window; a second
# start or a click on the tray icon brings it back as it was left, and the icon also undoes
# "-". After "Close" the record line holds flag 1 and cycle 007, and the icon is gone.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

command -v trayer >/dev/null || fail "trayer is not installed (scripts/test installs it)"
TRAYER_PID=""
trap '[ -n "$TRAYER_PID" ] && kill "$TRAYER_PID" 2>/dev/null; e2e_cleanup' EXIT

# tray_icon_geometry: "x y w h" of the program's icon in the tray host, or nothing.
tray_icon_geometry() {
    local panel
    panel=$(xwininfo -root -tree 2>/dev/null | awk '/"panel": \("panel" "trayer"\)/ {print $1; exit}')
    [ -n "$panel" ] || return 0
    xwininfo -tree -id "$panel" 2>/dev/null | awk 'tolower($0) ~ /pantrova/ {
        split($NF, pos, "+"); split($(NF-1), size, "[x+]"); print pos[2], pos[3], size[1], size[2]; exit }'
}

icon_shown() { [ -n "$(tray_icon_geometry)" ]; }
icon_gone() { [ -z "$(tray_icon_geometry)" ]; }
# window_shown: true while a main window (854 wide; the tray icon has the same name) is
# visible; WINDOW_ID follows it.
window_shown() {
    local id
    for id in $(xdotool search --all --onlyvisible --pid "$APP_PID" --name '^Pantrova$' 2>/dev/null); do
        if xwininfo -id "$id" 2>/dev/null | grep -q 'Width: 854'; then
            WINDOW_ID=$id
            return 0
        fi
    done
    return 1
}
window_hidden() { ! window_shown; }

today=$(date +%m/%d/%Y)
start_with_names "" "" "Orange juice"
# The tray host starts after the program: the icon moves in as soon as it is there.
trayer --edge top --align right --widthtype pixel --width 100 --heighttype pixel --height 24 \
    >"$E2E_DIR/trayer.log" 2>&1 &
TRAYER_PID=$!
wait_until "no tray icon once the tray host runs" icon_shown
# The tray icon's window has the program's name too: hold on to the main window.
wait_until "no main window" window_shown
window_geometry

# Slot 3: field at (16, 136). The menu opened with the mouse is driven with the keys: two
# Downs reach "Set Days...", Right opens it on "1", six Downs reach "7".
click_at 60 144 3
sleep 0.5
xdotool key --delay 120 Down Down Right Down Down Down Down Down Down Return
sleep 0.5
assert_pixel_unhovered 130 144 "#ffffce"

# "T" at (754, 6), 22 x 21. A second start shows the hidden window.
click_at 765 16
wait_until "the window is still shown after T" window_hidden
(cd "$APP_DIR" && ./pantrova) >>"$APP_DIR/output.log" 2>&1 || fail "the second start failed"
wait_until "a second start did not show the hidden window" window_shown
click_at 765 16
wait_until "the window is still shown after the second T" window_hidden
read -r ix iy iw ih < <(tray_icon_geometry)
[ -n "$ix" ] || fail "the tray icon went away with the window"
xdotool mousemove $((ix + iw / 2)) $((iy + ih / 2)) click 1
wait_until "a click on the tray icon did not bring the window back" window_shown
# "-" at (802, 6) minimises; the tray icon restores too.
click_at 813 16
wait_until "the window is still shown after -" window_hidden
xdotool mousemove $((ix + iw / 2)) $((iy + ih / 2)) click 1
wait_until "a click on the tray icon did not restore the minimised window" window_shown
sleep 0.5
assert_pixel_unhovered 130 144 "#ffffce"

close_program
assert_data_line InvRecs.txt 3 "$today 1 007 3"
wait_until "the tray icon stays after the program ended" icon_gone

e2e_pass
