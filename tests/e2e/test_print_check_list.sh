#!/usr/bin/env bash
# "Print" in the main window and in the print dialog prints the red names, in slot order, with
# ten blank rows, through a real CUPS scheduler onto a PDF printer; the job is titled
# "Inventory" and the main window comes back. With the right page side chosen the second
# print lies wholly on the right half of the sheet.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
source "$(dirname "$0")/cups.sh"
cups_start pdf-printer
command -v pdftotext >/dev/null || fail "pdftotext is not installed (scripts/test installs poppler-utils)"

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

blanks="_________ _________ _________ _________ _________ _________ _________ _________ _________ _________"
# Hundredths of a point: 100 mm is 283.46 pt.
mm100=28346

# print_check_list <radio button x> <job number>: "Print", the page side, "Print" in the
# dialog, then waits for the job; sets $pdf.
print_check_list() {
    click_at $((196 + 43)) $((34 + 11))
    dialog=$(wait_for_named_window "Print Inventory List")
    [ -z "$(visible_window Pantrova)" ] || fail "the main window is still shown beside the dialog"
    # Outer size 432 x 540 with the window manager's frame, centred on the 1280 x 1024 screen.
    # The dialog fits itself to the frame once the window manager has drawn one.
    local outer deadline=$((SECONDS + 5))
    while :; do
        outer=$(
            WINDOW_ID=$dialog
            window_geometry
            read -r l r t b < <(xprop -id "$dialog" _NET_FRAME_EXTENTS | tr -d ',' | awk '{print $3, $4, $5, $6}')
            echo "$((WIN_W + l + r))x$((WIN_H + t + b))+$((WIN_X - l))+$((WIN_Y - t))"
        )
        [ "$outer" == "432x540+424+242" ] || [ $SECONDS -ge $deadline ] && break
        sleep 0.2
    done
    assert_eq "432x540+424+242" "$outer" "outer geometry of the print dialog"
    click_in "$dialog" "$1" $((487 + 6))
    click_in "$dialog" $((124 + 43)) $((482 + 11))
    pdf=$(wait_for_printed_pdf "$2")
    e2e_log "printed $pdf"
    # The main window is shown again (the window system may give it a new id).
    wait_for_window 10
    [ -z "$(visible_window "Print Inventory List")" ] || fail "the dialog stays open after printing"
}

# Left side: the entries top to bottom are the red names in slot order, then the blank rows.
print_check_list $((376 + 6)) 1
words=$(pdf_words "$pdf")
[ -n "$words" ] || fail "the printed page holds no text"
order=$(sort -n -k2 <<<"$words" | awk '{print $3}' | tr '\n' ' ')
assert_eq "Milk Bread Apples $blanks " "$order" "entries of the printed list, top to bottom"
awk -v limit=$mm100 '$1 * 100 >= limit {bad = bad " " $3} END {exit bad != ""}' <<<"$words" ||
    fail "with the left page side a word lies beyond 100 mm: $words"
if [ -n "$CUPS_PAGE_LOG" ]; then
    assert_eq "Inventory" "$(awk 'NR == 1 {print $2}' "$CUPS_PAGE_LOG")" "title of the print job"
fi

# Right side: every word lies more than 100 mm from the sheet's left edge.
print_check_list $((391 + 6)) 2
words=$(pdf_words "$pdf")
assert_eq 13 "$(grep -c . <<<"$words")" "number of words on the right-side page"
awk -v limit=$mm100 '$1 * 100 <= limit {bad = bad " " $3} END {exit bad != ""}' <<<"$words" ||
    fail "with the right page side a word lies within 100 mm of the left edge: $words"

e2e_pass
