#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The due items reach a CalDAV task list and come back ticked off: a Radicale server of the
# test's own, python3-caldav as the phone, and GNOME Keyring (on a session bus of the test's
# own) keeping the password. Set up from the command line, synced with --sync-now and by the
# window itself.
if [ -z "${PANTROVA_E2E_IN_KEYRING:-}" ]; then
    export PANTROVA_E2E_IN_KEYRING=1
    exec "$(dirname "$0")/../sync/with-keyring.sh" bash "$0" "$@"
fi
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
[ -n "${PANTROVA_TEST_KEYRING:-}" ] || { echo "SKIP: no Secret Service to test with"; exit 77; }
source "$(dirname "$0")/caldav.sh"

day() { date -d "$1" +%m/%d/%Y; }
iso() { date -d "$1" +%Y-%m-%d; }
today=$(day today)
yesterday=$(day yesterday)

# Milk is due today, Bread in its prewarn days, Butter overdue; Eggs has time, Tea is untracked.
empty_records records
records=$(printf '%s' "$records" | sed "1s|.*|$(day '-10 days') 1 010 3|; 2s|.*|$(day '-5 days') 1 007 3|;
    3s|.*|$today 1 030 3|; 4s|.*|$(day '-20 days') 1 010 3|; 5s|.*|$(day '-3 days') 0 007 3|")$'\n'
lines_100 names "Milk" "Bread" "Eggs" "Butter" "Tea"
plain_colours colours
install_program "$records" "$names" "$colours"
data="$APP_DIR/system"
pantrova() { "$APP_DIR/pantrova" --data-folder "$data" "$@"; }
files_sum() { cat "$data"/InvRecs.txt "$data"/RecDesc.txt "$data"/ecol.div "$data"/history.csv 2>/dev/null | md5sum; }

radicale_start "$E2E_DIR/radicale"
list=$(phone make-list Groceries) || fail "the phone cannot make a task list"

# --- setting up -------------------------------------------------------------------------
out=$(pantrova --sync-setup "http://example.org/dav/list/" --user "$RADICALE_USER" --password-stdin <<<x 2>&1)
assert_eq "$?" 2 "http:// to another computer is refused"
[[ $out == *"HTTPS"* || $out == *"https"* ]] || fail "the refusal does not say why: $out"
out=$(pantrova --sync-setup "$list" --user "$RADICALE_USER" --password-stdin <<<wrong 2>&1)
assert_eq "$?" 1 "a wrong password fails the setup"
[[ $out == *"not accepted"* ]] || fail "a wrong password is not told as such: $out"
[ ! -e "$data/sync.ini" ] || fail "a failed setup left sync.ini"
# A server whose certificate does not check out, and no Secret Service to keep the password in.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 -keyout "$E2E_DIR/key.pem" \
    -out "$E2E_DIR/cert.pem" 2>/dev/null || fail "openssl cannot make a certificate"
coproc tls { python3 "$(dirname "$0")/../sync/fake_caldav.py" --tls "$E2E_DIR/cert.pem" "$E2E_DIR/key.pem"; }
read -r tls_port <&"${tls[0]}"
out=$(pantrova --sync-setup "https://127.0.0.1:$tls_port/ok/list/" --user anna --password-stdin <<<s3cret 2>&1)
assert_eq "$?" 1 "a self-signed certificate fails the setup"
[[ $out == *ertificate* ]] || fail "a certificate error is not told as such: $out"
kill "$tls_PID"
out=$(DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent pantrova --sync-setup "$list" --user "$RADICALE_USER" \
    --password-stdin <<<"$RADICALE_PASSWORD" 2>&1)
assert_eq "$?" 1 "a setup without a Secret Service"
[[ $out == *gnome-keyring* ]] || fail "a missing Secret Service does not name what to install: $out"
[ ! -e "$data/sync.ini" ] || fail "a setup without a Secret Service left sync.ini"
pantrova --sync-setup "$list" --user "$RADICALE_USER" --password-stdin <<<"$RADICALE_PASSWORD" ||
    fail "setup with the right password failed"
grep -q "$RADICALE_PASSWORD" "$data/sync.ini" && fail "the password is in sync.ini"

# --- push ---------------------------------------------------------------------------------
pantrova --sync-now || fail "the first sync failed"
tasks=$(phone tasks "$list" | cut -f2-5)
expected=$(printf '%s\t%s\tNEEDS-ACTION\tPantrova\n' Bread "$(iso '+2 days')" Butter "$(iso '-10 days')" \
    Milk "$(iso today)")
assert_eq "$tasks" "$expected" "the phone's tasks"
grep -rq "$RADICALE_PASSWORD" "$data" && fail "the password landed in the data folder"
phone add-foreign "$list" "Call the plumber" >/dev/null || fail "the phone cannot add its own task"

# --- pull: ticked on the phone yesterday evening ------------------------------------------
phone tick "$list" Milk "$(date -u -d 'yesterday 18:00' +%Y-%m-%dT%H:%M:%SZ)" || fail "the phone cannot tick Milk"
out=$(pantrova --sync-now) || fail "the sync after the tick failed"
[[ $out == *"Milk, $yesterday"* ]] || fail "the purchase is not reported: $out"
assert_data_line InvRecs.txt 1 "$yesterday 1 010 3"
assert_data_line ecol.div 1 "13565951"
grep -q "^$(iso yesterday),1,Milk,10" "$data/history.csv" || fail "history.csv lacks the purchase: $(cat "$data/history.csv")"
[[ $(phone tasks "$list" | grep -c "Milk") == 1 ]] || fail "the ticked task was made again"

# --- deleted on the phone: nothing changes here, and the task is not made again ----------
phone delete "$list" Bread || fail "the phone cannot delete Bread"
before=$(files_sum)
pantrova --sync-now || fail "the sync after the deletion failed"
assert_eq "$(files_sum)" "$before" "the data files after a deletion on the phone"
phone tasks "$list" | grep -q "Bread" && fail "the deleted task was made again"
assert_eq "$(phone tasks "$list" | grep "Call the plumber" | cut -f4)" "NEEDS-ACTION" "the phone's own task"

# --- the server stops in the middle: nothing changes, the next sync catches up -----------
sed -i "4s|.*|$(day '-20 days') 1 012 3\r|" "$data/InvRecs.txt"
radicale_stop
before=$(files_sum)
out=$(pantrova --sync-now 2>&1)
assert_eq "$?" 1 "a sync without its server"
assert_eq "$(files_sum)" "$before" "the data files after a failed sync"
pantrova --sync-status | grep -q "(failed)" || fail "--sync-status does not tell the failure: $(pantrova --sync-status)"
radicale_restart
pantrova --sync-now || fail "the sync after the server came back failed"
assert_eq "$(phone tasks "$list" | grep Butter | cut -f3)" "$(iso '-8 days')" "Butter's due date after its cycle grew"
status=$(pantrova --sync-status)
[[ $status == *"(succeeded)"* && $status == *"Tasks: 1"* ]] || fail "--sync-status after the catch-up: $status"

# --- the calendar feed, read by a calendar library no one here wrote ---------------------
pantrova --ics "$E2E_DIR/feed.ics" || fail "--ics failed"
events=$(/usr/bin/python3 -c '
import sys, icalendar
calendar = icalendar.Calendar.from_ical(open(sys.argv[1], "rb").read())
for event in calendar.walk("VEVENT"):
    print(event["SUMMARY"], event["DTSTART"].dt.isoformat(), event.walk("VALARM")[0]["TRIGGER"].to_ical().decode())
' "$E2E_DIR/feed.ics") || fail "the feed does not parse: $(head -c 300 "$E2E_DIR/feed.ics")"
expected=$(printf '%s\n' "Milk $(iso '+9 days') -P3D" "Bread $(iso '+2 days') -P3D" "Eggs $(iso '+30 days') -P3D" \
    "Butter $(iso '-8 days') -P3D")
assert_eq "$events" "$expected" "the feed's events"

# --- the window syncs by itself -----------------------------------------------------------
start_program
wait_for_window 30
out=$(pantrova --sync-now 2>&1)
assert_eq "$?" 1 "--sync-now beside the window"
phone tick "$list" Butter || fail "the phone cannot tick Butter"
click_at $((16 + 20)) $((34 + 7)) # ReCheck
bought_today() { sed -n 4p "$data/InvRecs.txt" | grep -q "^$today"; }
wait_until "the window did not buy Butter ticked on the phone" bought_today
assert_pixel_unhovered 130 $((88 + 3 * 24 + 8)) "#ffffce"
grep -q ",4,Butter," "$data/history.csv" || fail "history.csv lacks the window's purchase"
close_program

# --- off: the settings and the password go, the tasks stay -------------------------------
before=$(phone tasks "$list")
pantrova --sync-off || fail "--sync-off failed"
[ ! -e "$data/sync.ini" ] && [ ! -e "$data/sync-state.json" ] || fail "--sync-off left its files"
assert_eq "$(phone tasks "$list")" "$before" "the server's tasks after --sync-off"
pantrova --sync-status | grep -q "Sync is off" || fail "--sync-status after --sync-off"
e2e_pass
