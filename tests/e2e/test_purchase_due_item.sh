#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A tracked item whose cycle ends today shows red at its field's place; its "P" button turns
# it cream; "Close" writes today's date into its record line.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

today=$(date +%m/%d/%Y)
ten_days_ago=$(date -d '-10 days' +%m/%d/%Y)
# Slot 7 (first column, row 7) is due today; slot 8 is tracked with time to spare.
empty_records records
records=$(printf '%s' "$records" | sed "7s|.*|$ten_days_ago 1 010 3|; 8s|.*|$today 1 030 3|")$'\n'
lines_100 names "" "" "" "" "" "" "Milk" "Bread"
plain_colours colours
install_program "$records" "$names" "$colours"

start_program
wait_for_window 30

# Slot 7: field at (16, 232), 121 x 16; its purchase button at (144, 232), 22 x 15. The right
# end of the field holds no text.
assert_pixel 130 240 "#ff0000"
assert_pixel 130 264 "#c0c0c0"

click_at $((144 + 11)) $((232 + 7))
# Move away so that the button's hover look does not matter, then read the field.
assert_pixel_unhovered 130 240 "#ffffce"

close_program
assert_data_line InvRecs.txt 7 "$today 1 010 3"
assert_data_line InvRecs.txt 8 "$today 1 030 3"
assert_data_line ecol.div 7 "13565951"
assert_data_line ecol.div 8 "12632256"
assert_data_line RecDesc.txt 7 "Milk"

e2e_pass
