#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The "Close" button ends the program and writes its three data files back: 100 lines each,
# CR LF line ends, the names, records and field colours as they were loaded. The window is
# the borderless 854 x 590 window drawn over its background picture.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

# Untracked items and one red item, so that the start-up due check changes nothing whatever
# today's date is: a red field is never recoloured.
FILL="00/00/0000 0 000 3" lines_100 records \
    "01/02/2026 0 007 3" \
    "00/00/0000 0 000 3" \
    "03/04/2025 0 030 5" \
    "01/01/2020 1 010 3"
given_names=("Milk" "Bread" "Coffee beans" "Tea")
for ((slot = 5; slot < 100; slot++)); do
    given_names+=("")
done
given_names[49]="Dish soap" # two names further down, to see that every slot keeps its place
given_names[99]="Last item"
lines_100 names "${given_names[@]}"
FILL=12632256 lines_100 colours 12632256 13565951 8684164 255

install_program "$records" "$names" "$colours"
cp "$APP_DIR/system/InvRecs.txt" "$E2E_DIR/InvRecs.before"
cp "$APP_DIR/system/RecDesc.txt" "$E2E_DIR/RecDesc.before"
cp "$APP_DIR/system/ecol.div" "$E2E_DIR/ecol.before"

start_program
wait_for_window 30

assert_window_size 854 590
assert_borderless
# The background picture: blue title bar, olive body left of the date.
assert_pixel 8 70 "#848204"
title=$(pixel_at 400 15)
[[ $title =~ ^#([0-9a-f]{2})([0-9a-f]{2})([0-9a-f]{2})$ ]] || fail "unreadable title bar colour '$title'"
((0x${BASH_REMATCH[3]} > 0x${BASH_REMATCH[1]} + 40)) || fail "title bar is not blue: $title"

# "Close": the command button at (286, 34), 86 x 22.
close_program

for file in InvRecs.txt RecDesc.txt ecol.div; do
    assert_file_lines "$file" 100
    assert_crlf "$file"
done
cmp -s "$E2E_DIR/InvRecs.before" "$APP_DIR/system/InvRecs.txt" ||
    fail "InvRecs.txt changed: $(diff <(tr -d '\r' <"$E2E_DIR/InvRecs.before") <(tr -d '\r' <"$APP_DIR/system/InvRecs.txt") | head -n 6)"
cmp -s "$E2E_DIR/RecDesc.before" "$APP_DIR/system/RecDesc.txt" ||
    fail "RecDesc.txt changed: $(diff <(tr -d '\r' <"$E2E_DIR/RecDesc.before") <(tr -d '\r' <"$APP_DIR/system/RecDesc.txt") | head -n 6)"
cmp -s "$E2E_DIR/ecol.before" "$APP_DIR/system/ecol.div" ||
    fail "ecol.div changed: $(diff <(tr -d '\r' <"$E2E_DIR/ecol.before") <(tr -d '\r' <"$APP_DIR/system/ecol.div") | head -n 6)"
assert_data_line RecDesc.txt 1 "Milk"
assert_data_line RecDesc.txt 3 "Coffee beans"
assert_data_line RecDesc.txt 50 "Dish soap"
assert_data_line RecDesc.txt 100 "Last item"
assert_data_line InvRecs.txt 4 "01/01/2020 1 010 3"
assert_data_line ecol.div 4 "255"

e2e_pass
