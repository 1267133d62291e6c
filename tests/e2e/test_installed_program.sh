#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed program. "cmake --install" into a temporary prefix puts the program, its help,
# a valid desktop entry, AppStream entry, manual page, shell completion, reminder timer and the
# theme icons in place, each passing its checker, and cpack makes a Debian package of the same
# files that lintian passes without errors or warnings. Run from an install folder its user cannot write, with a fresh HOME, the program
# keeps its data in the user's data location, creates it at the first start, and reads and
# writes it there at the next start (a purchase, the history line).
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

build_dir=$(cd "$(dirname "$E2E_PROGRAM")/.." && pwd)
prefix="$E2E_DIR/prefix"
cmake --install "$build_dir" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
units="$prefix/lib/systemd/user"
for file in bin/pantrova share/pantrova/Help/Help.hta share/applications/pantrova.desktop \
    share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/pantrova.png \
    share/icons/hicolor/scalable/apps/pantrova.svg share/metainfo/io.github.pantrova.pantrova.metainfo.xml \
    share/man/man1/pantrova.1.gz share/doc/pantrova/{copyright,changelog.Debian.gz} \
    share/bash-completion/completions/pantrova share/zsh/vendor-completions/_pantrova \
    lib/systemd/user/pantrova-reminder.{service,timer}; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done
[ ! -e "$prefix/bin/system" ] || fail "a data folder was installed"
[[ $(file -b "$prefix/share/icons/hicolor/48x48/apps/pantrova.png") == "PNG image data, 48 x 48,"* ]] ||
    fail "the 48 px icon is not 48 x 48"
# check <what> <command...>: the command succeeds and says nothing.
check() {
    local what=$1 said
    shift
    said=$("$@" 2>&1) || fail "$what: $said"
    [ -z "$said" ] || fail "$what has remarks: $said"
}
check desktop-file-validate desktop-file-validate "$prefix/share/applications/pantrova.desktop"
check "appstreamcli validate" bash -c 'out=$(appstreamcli validate --pedantic --no-net "$1") || { echo "$out"; exit 1; }
    grep -v -e "^✔" -e "^$" <<<"$out" || true' _ \
    "$prefix/share/metainfo/io.github.pantrova.pantrova.metainfo.xml"
check "man --warnings" bash -c 'MANWIDTH=80 man --warnings -E UTF-8 -l "$1" >/dev/null' _ \
    "$prefix/share/man/man1/pantrova.1.gz"
# The check also looks up the units' manual page, which is the installed one.
check "systemd-analyze verify" env MANPATH="$prefix/share/man:" \
    systemd-analyze verify "$units/pantrova-reminder.timer" "$units/pantrova-reminder.service"
grep -qx "ExecStart=$prefix/bin/pantrova --notify" "$units/pantrova-reminder.service" ||
    fail "the reminder does not run the installed program: $(grep ExecStart "$units/pantrova-reminder.service")"
# The completion loads without a word and offers the options and a reminder's states.
completes() {
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _pantrova; echo "${COMPREPLY[*]}"' \
        _ "$prefix/share/bash-completion/completions/pantrova" "$@" 2>&1
}
assert_eq "--notify" "$(completes pantrova --no)" "completion of --no"
assert_eq "on off" "$(completes pantrova --autostart '')" "completion after --autostart"

cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$E2E_DIR/package" >"$E2E_DIR/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -n 5 "$E2E_DIR/cpack.log")"
deb=$(ls "$E2E_DIR"/package/pantrova_*.deb) || fail "no .deb made"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libfontconfig1 qt6-qpa-plugins fonts-liberation2; do
    [[ $depends == *"$package"* ]] || fail "the package does not depend on $package: $depends"
done
# The package holds the installed files, under /usr; its reminder runs /usr/bin/pantrova.
[[ $(dpkg-deb -c "$deb") == *" ./usr/share/applications/pantrova.desktop"* ]] || fail "the package lacks the files"
dpkg-deb -x "$deb" "$E2E_DIR/unpacked"
grep -qx "ExecStart=/usr/bin/pantrova --notify" "$E2E_DIR/unpacked/usr/lib/systemd/user/pantrova-reminder.service" ||
    fail "the package's reminder does not run /usr/bin/pantrova"
lintian --pedantic "$deb" >"$E2E_DIR/lintian.log" 2>&1
! grep -E '^(E|W): ' "$E2E_DIR/lintian.log" || fail "lintian finds errors or warnings (above)"

# The user may not write the install folder. Root may write anywhere, so as root the program
# runs as "nobody", for whom the install folder is read-only like for any user.
home="$E2E_DIR/home"
mkdir -p "$home/runtime"
chmod 700 "$home/runtime"
chmod -R a-w "$prefix"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chmod 755 "$E2E_DIR"
    chown -R nobody: "$home"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi
# The desktop's opener is a stand-in that notes what it was asked to open.
mkdir -p "$home/bin"
printf '#!/bin/sh\necho "$1" >>"%s/opened"\n' "$home" >"$home/bin/xdg-open"
chmod 755 "$home/bin/xdg-open"
installed=("${as_user[@]}" env -u XDG_DATA_HOME -u XDG_CACHE_HOME -u XDG_CONFIG_HOME HOME="$home"
    XDG_RUNTIME_DIR="$home/runtime" PATH="$home/bin:$PATH" "$prefix/bin/pantrova")
data="$home/.local/share/pantrova/system"

help=$("${installed[@]}" --help) || fail "--help failed"
[[ $help == *"Data folder: $data (in the user's data location"* ]] || fail "--help does not name $data: $help"
version=$("${installed[@]}" --version) || fail "--version failed"
# The sync module is found where it was installed: the calendar feed of an empty folder.
feed=$("${installed[@]}" --ics) || fail "--ics failed: the installed sync module is not found"
[[ $feed == "BEGIN:VCALENDAR"* ]] || fail "--ics printed no calendar: $feed"
[[ $version == "Pantrova 1.0"$'\n'"Copyright (C) "*$'\n'"License GPLv3+: GNU GPL version 3 or later"* ]] ||
    fail "--version lacks the copyright or the licence: $version"

start_installed() {
    "${installed[@]}" >>"$E2E_DIR/output.log" 2>&1 & # each command execs the next: the program's pid
    APP_PID=$!
    wait_for_window 30
}

# First start: a fresh, empty inventory in the user's data location.
start_installed
APP_DIR="$home/.local/share/pantrova"
assert_file_lines InvRecs.txt 100
assert_data_line InvRecs.txt 7 "00/00/0000 0 000 3"
wm_class=$(grep '^StartupWMClass=' "$prefix/share/applications/pantrova.desktop")
[[ $(xprop -id "$WINDOW_ID" WM_CLASS) == *"\"${wm_class#*=}\""* ]] || fail "the window's class is not ${wm_class#*=}"
# The help opens in the browser: the installed help as an HTML file.
click_at $((834 + 7)) $((33 + 13))
sleep 1
opened=$(head -n 1 "$home/opened" 2>/dev/null)
[[ $opened == *.html ]] || fail "the help was opened as '$opened'"
cmp -s "${opened#file://}" "$prefix/share/pantrova/Help/Help.hta" || fail "$opened is not the installed help"
close_program

# Slot 7 is due today; "P" buys it, which the history records.
today=$(date +%m/%d/%Y)
ten_days_ago=$(date -d '-10 days' +%m/%d/%Y)
sed -i "7s|.*|$ten_days_ago 1 010 3\r|" "$data/InvRecs.txt"
sed -i "7s|.*|Milk\r|" "$data/RecDesc.txt"
start_installed
assert_pixel 130 240 "#ff0000"
click_at $((144 + 11)) $((232 + 7))
close_program
assert_data_line InvRecs.txt 7 "$today 1 010 3"
assert_data_line history.csv 2 "$(date +%Y-%m-%d),7,Milk,10"
assert_data_line ecol.div 7 "13565951"
e2e_pass
