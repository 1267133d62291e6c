#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a session bus of its own with GNOME Keyring's Secret Service running and its
# login keyring unlocked (an empty password), in a fresh home, so that the user's own keyring is
# never touched. Without dbus-run-session or gnome-keyring-daemon the command runs as it is,
# without PANTROVA_TEST_KEYRING, and skips what needs the keyring.
set -eu

if ! command -v dbus-run-session >/dev/null 2>&1 || ! command -v gnome-keyring-daemon >/dev/null 2>&1; then
    exec "$@"
fi

home=$(mktemp -d "${TMPDIR:-/tmp}/pantrova-keyring.XXXXXX")
trap 'rm -rf "$home"' EXIT INT TERM
mkdir -p "$home/data" "$home/config" "$home/cache" "$home/runtime"
chmod 700 "$home/runtime"
export HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache" \
    XDG_RUNTIME_DIR="$home/runtime"

status=0
# The daemon reads the keyring's password from stdin (an empty one needs its newline), creates
# the login keyring with it and unlocks it; it leaves with the bus.
dbus-run-session -- sh -c '
    echo "" | gnome-keyring-daemon --unlock --components=secrets >/dev/null
    PANTROVA_TEST_KEYRING=1 "$@"' sh "$@" || status=$?
exit "$status"
