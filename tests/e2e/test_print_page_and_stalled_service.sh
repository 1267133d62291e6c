#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The check list on an A4 printer of a private CUPS scheduler, with all 100 items red.
# A scheduler that is stopped (SIGSTOP) at the first "Print": the dialog keeps painting while
# the program waits for it, the failure is said within 10 s, and "Save as PDF..." saves the
# list, adding ".pdf" to a name typed without it. Right page side: no word of the printed page
# lies beyond the sheet's right edge (names that would are cut there). A paused printer takes
# the job and the program says it waits in the queue.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
source "$(dirname "$0")/cups.sh"
cups_start
[ -n "$CUPS_PID" ] || cups_skip "stopping the scheduler needs a private one; a scheduler runs already"

export HOME="$E2E_DIR/home" XDG_CONFIG_HOME="$E2E_DIR/home/.config"
mkdir -p "$HOME/Documents" "$XDG_CONFIG_HOME"

cups_add_pdf_printer
lpadmin -p "$CUPS_QUEUE" -o PageSize=A4 || fail "cannot set the queue's paper to A4"

FILL="$(date -d '-10 days' +%m/%d/%Y) 1 010 3" lines_100 records
names=$(for i in $(seq -w 1 100); do echo "Item $i"; done)$'\n'
plain_colours colours
install_program "$records" "$names" "$colours"
start_program
wait_for_window 30

open_dialog() {
    click_at $((196 + 43)) $((34 + 11))
    dialog=$(wait_for_named_window "Print Inventory List")
}
print_button="$((124 + 43)) $((482 + 11))"

# The scheduler stops answering while the dialog is open, before the program has printed at all.
open_dialog
WINDOW_ID=$dialog window_geometry
dialog_x=$WIN_X dialog_y=$WIN_Y
colour_at() { "$GRAB" pixel $((dialog_x + $1)) $((dialog_y + $2)) 2>/dev/null; }
dialog_colour=$(colour_at 60 500)
assert_eq "#e7dfad" "$dialog_colour" "colour of the dialog below its band"
kill -STOP "$CUPS_PID"
trap 'kill -CONT "$CUPS_PID" 2>/dev/null; cups_stop; e2e_cleanup' EXIT
clicked=$SECONDS
click_in "$dialog" $print_button
# The dialog is moved half off the screen and back: the part that was off must be painted anew.
xdotool windowmove --relative "$dialog" -700 0
wait_until "the dialog did not move aside" test "$(colour_at 60 500)" != "$dialog_colour"
xdotool windowmove --relative "$dialog" 700 0
sleep 0.3 # the window manager places the frame (it may not come back to the very same place)
WINDOW_ID=$dialog window_geometry
dialog_x=$WIN_X dialog_y=$WIN_Y
wait_until "the dialog did not paint again while it waited for the scheduler" test "$(colour_at 60 500)" == "$dialog_colour"
[ -z "$(visible_window Error)" ] || fail "the message came before the dialog was seen to paint"
wait_for_named_window "Error" $((10 - (SECONDS - clicked))) >/dev/null
xdotool key Return # "Save as PDF..."
wait_for_named_window "Save as PDF" >/dev/null
xdotool key ctrl+a
xdotool type --delay 20 "$HOME/Documents/shopping"
xdotool key Return
saved="$HOME/Documents/shopping.pdf"
wait_until "no $saved was written" test -s "$saved"
kill -CONT "$CUPS_PID"
[ -n "$(visible_window "Print Inventory List")" ] || fail "the dialog closed although nothing was printed"
click_in "$dialog" $((214 + 43)) $((482 + 11)) # "Close"
wait_for_window 10

# The right half of an A4 sheet: the last column's names would cross the edge.
open_dialog
click_in "$dialog" $((391 + 6)) $((487 + 6))
click_in "$dialog" $print_button
pdf=$(wait_for_printed_pdf 1)
wait_for_window 10
bbox=$(pdftotext -f 1 -l 1 -bbox "$pdf" - 2>/dev/null)
width=$(sed -n 's|.*<page width="\([0-9.]*\)".*|\1|p' <<<"$bbox")
assert_eq 595 "${width%.*}" "page width in points (A4)"
words=$(sed -n 's|.*xMax="\([0-9.]*\)"[^>]*>\(.*\)</word>.*|\1 \2|p' <<<"$bbox")
assert_eq 100 "$(grep -c '^[0-9.]* Item' <<<"$words")" "names printed (whole or cut)"
awk -v w="$width" '$1 > w {bad = 1} END {exit bad}' <<<"$words" ||
    fail "a word runs past the page's right edge ($width pt): $(awk -v w="$width" '$1 > w' <<<"$words" | head -n 3)"
grep -q '^[0-9.]* 001$' <<<"$words" || fail "the names of the first column are not printed whole: $words"

# A paused printer takes the job and keeps it queued.
cupsdisable "$CUPS_QUEUE" || fail "cannot pause the queue"
open_dialog
click_in "$dialog" $print_button
wait_for_named_window "Information" >/dev/null
xdotool key Return
wait_for_window 10
cupsenable "$CUPS_QUEUE" || fail "cannot resume the queue"
wait_for_printed_pdf 2 >/dev/null

e2e_pass
