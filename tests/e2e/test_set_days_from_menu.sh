#!/usr/bin/env bash
# Right-clicking a named field opens the item menu at the pointer; "Set Days..." then "7"
# turns the field cream, and "Close" writes today's date, flag 1 and cycle 007.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

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
start_with_names "" "" "Orange juice"

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

close_program
assert_data_line InvRecs.txt 3 "$today 1 007 3"
assert_data_line InvRecs.txt 2 "00/00/0000 0 000 3"
assert_data_line ecol.div 3 "13565951"

e2e_pass
