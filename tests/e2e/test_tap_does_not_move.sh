#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Dragging the window by its surface: a quick tap (press and release at once, as a touchpad
# tap or "xdotool click" gives) leaves the window where it is, however the pointer moves
# afterwards; holding the button down and moving drags the window with the pointer.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
start_with_names "Milk"

# A point of the bare background picture, below the title bar's buttons.
surface_x=420 surface_y=300
origin="$WIN_X,$WIN_Y"

move_to $surface_x $surface_y
sleep 0.2
xdotool click 1
sleep 0.3
xdotool mousemove_relative -- 60 40
sleep 0.5
window_geometry
assert_eq "$origin" "$WIN_X,$WIN_Y" "window place after a tap and a pointer move"

move_to $surface_x $surface_y
sleep 0.2
xdotool mousedown 1
sleep 0.3
xdotool mousemove_relative -- 60 40
sleep 0.3
xdotool mousemove_relative -- 10 10
sleep 0.3
xdotool mouseup 1
sleep 0.5
window_geometry
[ "$WIN_X,$WIN_Y" != "$origin" ] || fail "holding the button and moving did not drag the window"

e2e_pass
