#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Right-clicking a named field opens the item menu at the pointer; "Set Days..." then "7"
# turns the field cream, with the mouse and with the keyboard. The tray icon appears in a tray
# host started after the program. "T" hides the window; a second start or a click on the tray
# icon brings it back as it was left, and the icon also undoes "-". After "Close" the record
# lines hold today's date, flag 1 and cycle 007, and the icon is gone.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

command -v trayer >/dev/null || fail "trayer is not installed (scripts/test installs it)"
TRAYER_PID=""
trap '[ -n "$TRAYER_PID" ] && kill "$TRAYER_PID" 2>/dev/null; e2e_cleanup' EXIT

# popup_windows: the program's visible windows other than its main window, one id a line.
popup_windows() {
    xdotool search --all --onlyvisible --pid "$APP_PID" '' 2>/dev/null | grep -vx "$WINDOW_ID" || true
}

# popup_geometry <id>: "x y w h" of a window on the screen.
popup_geometry() {
    local info
    info=$(xwininfo -id "$1" 2>/dev/null) || return 1
    awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2}
         END {print x, y, w, h}' <<<"$info"
}

# wait_for_popups <count>: waits until that many popup windows are shown; prints their ids.
wait_for_popups() {
    local deadline=$((SECONDS + 10)) found
    while [ $SECONDS -lt $deadline ]; do
        found=$(popup_windows)
        if [ "$(grep -c . <<<"$found")" -ge "$1" ]; then
            printf '%s\n' "$found"
            return 0
        fi
        sleep 0.2
    done
    return 1
}


today=$(date +%m/%d/%Y)
start_with_names "" "" "Orange juice" "Tea"

# Slot 3: field at (16, 136), 121 x 16.
click_at 60 144 3
menu=$(wait_for_popups 1) || fail "the item menu did not open"
menu=$(head -n 1 <<<"$menu")
read -r mx my mw mh < <(popup_geometry "$menu")
e2e_log "item menu $menu at $mx,$my size ${mw}x$mh"
# An untracked named item shows seven entries: "Inc/Dec cycle days...", "Set Days...",
# "Set prewarn days all...", "Start tracking", "Clear focused", "Copy", "Paste".
row=$(((mh - 4) / 7))
xdotool mousemove $((mx + mw / 2)) $((my + 2 + row + row / 2))
sleep 0.2
xdotool mousemove $((mx + mw / 2 + 3)) $((my + 2 + row + row / 2))
popups=$(wait_for_popups 2) || fail "the Set Days submenu did not open"
submenu=$(grep -vx "$menu" <<<"$popups" | head -n 1)
read -r sx sy sw sh < <(popup_geometry "$submenu")
e2e_log "Set Days submenu $submenu at $sx,$sy size ${sw}x$sh"
# Two columns: "1" to "10" on the left, "11" to "20" and "> 20..." on the right (11 rows).
cell=$(((sh - 4) / 11))
xdotool mousemove $((sx + sw / 4)) $((sy + 2 + 6 * cell + cell / 2))
sleep 0.2
xdotool click 1
sleep 0.5
[ -z "$(popup_windows)" ] || fail "the menus are still open after choosing 7"

assert_pixel_unhovered 130 144 "#ffffce"

# The tray host starts after the program: the icon moves in as soon as it is there.
trayer --edge top --align right --widthtype pixel --width 100 --heighttype pixel --height 24 \
    >"$E2E_DIR/trayer.log" 2>&1 &
TRAYER_PID=$!
wait_until "no tray icon once the tray host runs" icon_shown
# The tray icon's window has the program's name too: hold on to the main window.
wait_until "no main window" main_window_shown
window_geometry

# Slot 4: field at (16, 160). The menu opened with the mouse is driven with the keys: two
# Downs reach "Set Days...", Right opens it on "1", six Downs reach "7".
click_at 60 168 3
sleep 0.5
xdotool key --delay 120 Down Down Right Down Down Down Down Down Down Return
sleep 0.5
assert_pixel_unhovered 130 168 "#ffffce"

# "T" at (754, 6), 22 x 21. A second start shows the hidden window.
click_at 765 16
wait_until "the window is still shown after T" main_window_hidden
(cd "$APP_DIR" && ./pantrova) >>"$APP_DIR/output.log" 2>&1 || fail "the second start failed"
wait_until "a second start did not show the hidden window" main_window_shown
click_at 765 16
wait_until "the window is still shown after the second T" main_window_hidden
read -r ix iy iw ih < <(tray_icon_geometry)
[ -n "$ix" ] || fail "the tray icon went away with the window"
xdotool mousemove $((ix + iw / 2)) $((iy + ih / 2)) click 1
wait_until "a click on the tray icon did not bring the window back" main_window_shown
# "-" at (802, 6) minimises; the tray icon restores too.
click_at 813 16
wait_until "the window is still shown after -" main_window_hidden
xdotool mousemove $((ix + iw / 2)) $((iy + ih / 2)) click 1
wait_until "a click on the tray icon did not restore the minimised window" main_window_shown
sleep 0.5
assert_pixel_unhovered 130 144 "#ffffce"
assert_pixel 130 168 "#ffffce"

close_program
assert_data_line InvRecs.txt 3 "$today 1 007 3"
assert_data_line InvRecs.txt 4 "$today 1 007 3"
assert_data_line InvRecs.txt 2 "00/00/0000 0 000 3"
assert_data_line ecol.div 3 "13565951"
wait_until "the tray icon stays after the program ended" icon_gone
e2e_pass
