#!/usr/bin/env bash
# With no printer at all, "Print" in the print dialog reports the failure instead of success
# and offers "Save as PDF...": the standard file dialog proposes Inventory.pdf in the documents
# folder and the saved file holds the check list. The dialog stays open until "Close", which
# shows the main window again.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
source "$(dirname "$0")/cups.sh"
cups_start no-printer

# A home of the test's own, so the documents folder is a fresh one.
export HOME="$E2E_DIR/home" XDG_CONFIG_HOME="$E2E_DIR/home/.config"
mkdir -p "$HOME/Documents" "$XDG_CONFIG_HOME"

ten_days_ago=$(date -d '-10 days' +%m/%d/%Y)
empty_records records
records=$(printf '%s' "$records" | sed "2s|.*|$ten_days_ago 1 010 3|")$'\n'
lines_100 names "" "Coffee"
plain_colours colours
install_program "$records" "$names" "$colours"

start_program
wait_for_window 30
click_at $((196 + 43)) $((34 + 11))
dialog=$(wait_for_named_window "Print Inventory List")
click_in "$dialog" $((124 + 43)) $((482 + 11))

# The error box: its default button is "Save as PDF...".
wait_for_named_window "Error" >/dev/null
xdotool key Return
# The file dialog opens in the documents folder with the proposed name filled in.
wait_for_named_window "Save as PDF" >/dev/null
xdotool key Return
saved="$HOME/Documents/Inventory.pdf"
deadline=$((SECONDS + 15))
until [ -s "$saved" ]; do
    [ $SECONDS -lt $deadline ] || fail "no $saved was written"
    sleep 0.2
done
sleep 0.5
words=$(pdftotext "$saved" - 2>/dev/null | tr -s '[:space:]' ' ')
assert_eq " Coffee _________ _________ _________ _________ _________ _________ _________ _________ _________ _________ " \
    " $words" "text of the saved PDF"

# Nothing was printed: the dialog is still open and the main window still hidden.
[ -n "$(visible_window "Print Inventory List")" ] || fail "the dialog closed although nothing was printed"
[ -z "$(visible_window Pantrova)" ] || fail "the main window came back although the dialog is open"
click_in "$dialog" $((214 + 43)) $((482 + 11))
wait_for_window 10

e2e_pass
