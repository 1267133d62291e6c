#!/usr/bin/env bash
# With no red item the print dialog warns once, with the pointer near the screen's centre;
# closing the warning activates the dialog again without a second warning. A click on "Print"
# warns again and prints nothing; "Close" brings the main window back.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

empty_records records
lines_100 names "Milk"
plain_colours colours
install_program "$records" "$names" "$colours"
start_program
wait_for_window 30

click_at $((196 + 43)) $((34 + 11))
wait_for_named_window "Warning" >/dev/null
# 1280 x 1024 screen: x = 640 + 10, y = 512 + 35.
assert_eq "650 547" "$(xdotool getmouselocation | sed 's/x:\([0-9]*\) y:\([0-9]*\).*/\1 \2/')" "pointer at the warning"
xdotool key Return
sleep 1.5
[ -z "$(visible_window Warning)" ] || fail "the warning came back when the dialog was activated again"
dialog=$(wait_for_named_window "Print Inventory List")
click_in "$dialog" $((124 + 43)) $((482 + 11))
wait_for_named_window "Warning" >/dev/null
xdotool key Return
sleep 1.5
[ -z "$(visible_window Warning)" ] || fail "the warning came back after a click on Print"
click_in "$dialog" $((214 + 43)) $((482 + 11))
wait_for_window 10

e2e_pass
