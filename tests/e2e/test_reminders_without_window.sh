#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Reminders while the window is closed. On a private session bus with a real notification
# server (dunst), "--notify" sends one Notify call with the tray reminder's text, which
# dbus-monitor sees, and sends nothing when nothing is due; without a bus it says why.
# "--autostart on" writes a valid autostart entry that starts the program "--hidden", and
# "off" removes it. Started hidden, the window waits in the notification area and the tray
# icon brings it back; without a notification area it shows at once.
if [ -z "${PANTROVA_TEST_BUS:-}" ]; then
    PANTROVA_TEST_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
for tool in dunst dbus-monitor desktop-file-validate trayer; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/test installs it)"
done
helpers=()
trap 'for pid in "${helpers[@]}"; do kill "$pid" 2>/dev/null; done; e2e_cleanup' EXIT
export HOME="$E2E_DIR/home" XDG_CONFIG_HOME="$E2E_DIR/home/config"
mkdir -p "$HOME"

# Milk is due today, Tea is in its prewarn days, Soap is not due.
records=""
empty_records records
records=$(sed "1s|.*|$(date -d '-9 days' +%m/%d/%Y) 1 010 3|; 2s|.*|$(date -d '-10 days' +%m/%d/%Y) 1 010 3|
    3s|.*|$(date +%m/%d/%Y) 1 030 3|" <<<"$records")$'\n'
lines_100 names "Tea" "Milk, whole" "Soap"
plain_colours colours
install_program "$records" "$names" "$colours"
empty="$E2E_DIR/empty"

has_server() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.freedesktop.Notifications 2>/dev/null | grep -q 'true'
}
dbus-monitor --session "type='method_call',interface='org.freedesktop.Notifications',member='Notify'" \
    >"$E2E_DIR/monitor.log" 2>&1 &
helpers+=($!)
dunst >"$E2E_DIR/dunst.log" 2>&1 &
helpers+=($!)
wait_until "dunst did not take the notification service's name" has_server
notify_calls() { grep -c 'member=Notify' "$E2E_DIR/monitor.log"; }
sleep 0.5 # the monitor is listening by the time the server has its name; let it settle

"$APP_DIR/pantrova" --notify >"$E2E_DIR/out" 2>&1
assert_eq "0:" "$?:$(cat "$E2E_DIR/out")" "--notify with two items to buy"
wait_until "dbus-monitor saw no Notify call" test "$(notify_calls)" -ge 1
grep -q 'string "2 items to buy: Tea, Milk, whole"' "$E2E_DIR/monitor.log" ||
    fail "the notification's text: $(cat "$E2E_DIR/monitor.log")"
grep -q 'string "pantrova"' "$E2E_DIR/monitor.log" || fail "the notification names no icon"

"$APP_DIR/pantrova" --notify --data-folder "$empty" >"$E2E_DIR/out" 2>&1
assert_eq "0:" "$?:$(cat "$E2E_DIR/out")" "--notify with nothing due"
[ ! -e "$empty" ] || fail "--notify created the data folder"
# The monitor sees the calls in order: after one more run with items due there are two.
"$APP_DIR/pantrova" --notify || fail "--notify failed"
wait_until "dbus-monitor saw no second Notify call" test "$(notify_calls)" -ge 2
assert_eq 2 "$(notify_calls)" "Notify calls, one run with nothing due among them"

# The bus would start dunst again when asked; a session without a bus tells no one.
DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_DIR/no-bus" "$APP_DIR/pantrova" --notify 2>"$E2E_DIR/err"
assert_eq 1 "$?" "--notify without a session bus"
grep -q '^pantrova: cannot send the desktop notification' "$E2E_DIR/err" || fail "no message: $(cat "$E2E_DIR/err")"

# The autostart entry: made, valid, starting this program hidden on the chosen folder.
entry="$XDG_CONFIG_HOME/autostart/pantrova.desktop"
folder="$E2E_DIR/data \"quoted\" \$HOME"
"$APP_DIR/pantrova" --autostart on --data-folder "$folder" || fail "--autostart on failed"
[ -f "$entry" ] || fail "no autostart entry at $entry"
validation=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $validation"
[ -z "$validation" ] || fail "desktop-file-validate has remarks: $validation"
exec_line=$(grep '^Exec=' "$entry")
assert_eq "Exec=$APP_DIR/pantrova --data-folder \"$E2E_DIR/data \\\\\"quoted\\\\\" \\\\\$HOME\" --hidden" \
    "$exec_line" "the entry's command"
"$APP_DIR/pantrova" --autostart maybe 2>/dev/null
assert_eq 2 "$?" "--autostart with neither on nor off"
"$APP_DIR/pantrova" --autostart off || fail "--autostart off failed"
[ ! -e "$entry" ] || fail "--autostart off left the entry"
"$APP_DIR/pantrova" --autostart off || fail "--autostart off without an entry failed"

# Started hidden without a notification area: the window shows, or nothing could bring it up.
start_hidden() {
    (cd "$APP_DIR" && exec ./pantrova --hidden) >"$APP_DIR/output.log" 2>&1 &
    APP_PID=$!
}
start_hidden
wait_for_window 30
close_program

# With one, the window stays hidden and the tray icon shows it.
trayer --edge top --align right --widthtype pixel --width 100 --heighttype pixel --height 24 \
    >"$E2E_DIR/trayer.log" 2>&1 &
helpers+=($!)
wait_until "the tray host did not start" bash -c 'xwininfo -root -tree | grep -q "\"panel\": (\"panel\" \"trayer\")"'
start_hidden
wait_until "no tray icon for the hidden window" icon_shown
sleep 1 # the window would have been shown before the tray icon was made
! main_window_shown || fail "the hidden start showed the window"
read -r ix iy < <(tray_icon)
xdotool mousemove "$ix" "$iy" click 1
wait_until "the tray icon did not show the window" main_window_shown
sleep 0.5
window_geometry
close_program
e2e_pass
