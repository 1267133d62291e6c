#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The check list through a real CUPS scheduler, with red items in slots 3, 7 and 50.
# No printer yet: "Print" in the dialog says the list was not printed and offers "Save as
# PDF...", whose file dialog proposes Inventory.pdf in the documents folder; the saved file
# holds the list, the dialog stays open and the main window hidden (minimised, the dialog comes
# back by itself). Then a PDF printer is the default: "Print" prints the red names in slot
# order with ten blank rows as the job "Inventory" and the main window comes back; with the
# right page side the page lies wholly on the right half. After "Reset All Red" nothing is
# red: the dialog warns once, with the pointer on the box's button, and closing the warning
# does not bring it back.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
source "$(dirname "$0")/cups.sh"
cups_start

# A home of the test's own, so the documents folder is a fresh one.
export HOME="$E2E_DIR/home" XDG_CONFIG_HOME="$E2E_DIR/home/.config"
mkdir -p "$HOME/Documents" "$XDG_CONFIG_HOME"

today=$(date +%m/%d/%Y)
ten_days_ago=$(date -d '-10 days' +%m/%d/%Y)
eight_days_ago=$(date -d '-8 days' +%m/%d/%Y)
# Due today: slots 3, 7, 50 and the unnamed slot 12; slot 8 is yellow, slot 9 silver.
empty_records records
records=$(printf '%s' "$records" | sed "3s|.*|$ten_days_ago 1 010 3|; 7s|.*|$ten_days_ago 1 010 3|;
    50s|.*|$ten_days_ago 1 010 3|; 12s|.*|$ten_days_ago 1 010 3|; 8s|.*|$eight_days_ago 1 010 3|;
    9s|.*|$today 1 030 3|")$'\n'
lines_100 names "" "" "Milk" "" "" "" "Bread" "Butter" "Jam"
names=$(printf '%s' "$names" | sed '50s|.*|Apples|')$'\n'
plain_colours colours
install_program "$records" "$names" "$colours"
start_program
wait_for_window 30
assert_pixel 130 144 "#ff0000"

list="Milk Bread Apples $(printf '_________ %.0s' {1..10})"
mm100=28346 # 100 mm in hundredths of a point
print_button="$((124 + 43)) $((482 + 11))"

# entries <file.pdf>: the words of the page, top to bottom.
entries() {
    pdf_words "$1" | sort -n -k2 | awk '{printf "%s ", $3}'
}

# open_dialog: "Print" in the main window; the dialog replaces it, with the outer size
# 432 x 540 (the window manager's frame included) centred on the 1280 x 1024 screen. The
# dialog fits itself to the frame once the window manager has drawn one. Sets $dialog.
open_dialog() {
    click_at $((196 + 43)) $((34 + 11))
    dialog=$(wait_for_named_window "Print Inventory List")
    [ -z "$(visible_window Pantrova)" ] || fail "the main window is still shown beside the dialog"
    local outer deadline=$((SECONDS + 5)) l r t b
    while :; do
        WINDOW_ID=$dialog window_geometry
        read -r l r t b < <(xprop -id "$dialog" _NET_FRAME_EXTENTS | tr -d ',' | awk '{print $3, $4, $5, $6}')
        outer="$((WIN_W + l + r))x$((WIN_H + t + b))+$((WIN_X - l))+$((WIN_Y - t))"
        [ "$outer" == "432x540+424+242" ] || [ $SECONDS -ge $deadline ] && break
        sleep 0.2
    done
    assert_eq "432x540+424+242" "$outer" "outer geometry of the print dialog"
}

# print_in_dialog <job number>: "Print" in the dialog, then waits for the job and for the
# main window to come back; sets $pdf.
print_in_dialog() {
    click_in "$dialog" $print_button
    pdf=$(wait_for_printed_pdf "$1")
    e2e_log "printed $pdf"
    wait_for_window 10
    [ -z "$(visible_window "Print Inventory List")" ] || fail "the dialog stays open after printing"
}

# No printer: the failure is said, the list saved as a PDF, nothing else changes.
open_dialog
# Minimised by the window manager all the same, the dialog comes back by itself.
xdotool windowminimize "$dialog"
sleep 1
wait_until "the minimised dialog did not come back" test -n "$(visible_window "Print Inventory List")"
xprop -id "$dialog" WM_STATE | grep -q "window state: Normal" || fail "the dialog stays minimised"
click_in "$dialog" $print_button
wait_for_named_window "Error" >/dev/null
xdotool key Return # the default button: "Save as PDF..."
wait_for_named_window "Save as PDF" >/dev/null
xdotool key Return # the proposed name in the documents folder
saved="$HOME/Documents/Inventory.pdf"
wait_until "no $saved was written" test -s "$saved"
sleep 0.5
assert_eq "$list" "$(entries "$saved")" "entries of the saved PDF, top to bottom"
[ -n "$(visible_window "Print Inventory List")" ] || fail "the dialog closed although nothing was printed"
[ -z "$(visible_window Pantrova)" ] || fail "the main window came back although the dialog is open"

# A printer: the left half of the sheet.
cups_add_pdf_printer
print_in_dialog 1
assert_eq "$list" "$(entries "$pdf")" "entries of the printed list, top to bottom"
awk -v limit=$mm100 '$1 * 100 >= limit {bad = 1} END {exit bad}' <<<"$(pdf_words "$pdf")" ||
    fail "with the left page side a word lies beyond 100 mm: $(pdf_words "$pdf")"
if [ -n "$CUPS_PAGE_LOG" ]; then
    assert_eq "Inventory" "$(awk 'NR == 1 {print $2}' "$CUPS_PAGE_LOG")" "title of the print job"
fi

# The right half: every word more than 100 mm from the sheet's left edge.
open_dialog
click_in "$dialog" $((391 + 6)) $((487 + 6))
print_in_dialog 2
words=$(pdf_words "$pdf")
assert_eq 13 "$(grep -c . <<<"$words")" "number of words on the right-side page"
awk -v limit=$mm100 '$1 * 100 <= limit {bad = 1} END {exit bad}' <<<"$words" ||
    fail "with the right page side a word lies within 100 mm of the left edge: $words"

# Nothing red after the shopping: one warning a showing; "Print" warns again, prints nothing.
click_at $((106 + 43)) $((34 + 11))
wait_for_named_window "Confirm" >/dev/null
xdotool key Return
sleep 0.5
click_at $((196 + 43)) $((34 + 11))
wait_for_named_window "Warning" >/dev/null
# The pointer rests on the box's OK button: a click where it is closes the box.
xdotool click 1
sleep 1.5
[ -z "$(visible_window Warning)" ] || fail "the warning came back when the dialog was activated again"
dialog=$(wait_for_named_window "Print Inventory List")
click_in "$dialog" $print_button
wait_for_named_window "Warning" >/dev/null
xdotool key Return
sleep 1.5
[ -z "$(visible_window Warning)" ] || fail "the warning came back after a click on Print"
click_in "$dialog" $((214 + 43)) $((482 + 11))
wait_for_window 10
assert_eq 2 "$(find "$CUPS_PDF_OUT" -maxdepth 1 -name '*.pdf' | wc -l)" "printed pages"

e2e_pass
