# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian packages Pantrova needs, sourced by scripts/run and scripts/test.

# The phone sync builds with libical (iCalendar objects) and QtKeychain, which reaches the Secret
# Service through libsecret, loaded when it is first used.
# Compiler, build system, Qt 6, giflib, the font configuration library, the CUPS library that
# describes the default printer and the X library that asks for the pointer's buttons;
# rsvg-convert, which renders the icon's drawing into the theme's sizes.
BUILD_PACKAGES=(cmake make g++ qt6-base-dev qt6-qpa-plugins libgif-dev libfontconfig-dev libcups2-dev libxcb1-dev
    librsvg2-bin pkg-config libical-dev qtkeychain-qt6-dev libsecret-1-0)
# Fonts the program's pictures and texts are drawn with.
FONT_PACKAGES=(fonts-liberation2 fonts-dejavu-core fontconfig)
# A display without a screen: X server, window manager, and the X tools that find, click and
# measure windows in the real-window tests.
HEADLESS_PACKAGES=(xvfb openbox xdotool x11-utils)
# Printing: the lp command the program hands its print jobs to, and for the real-print tests a
# CUPS scheduler with a PDF printer (whose pages the PDF tools below read).
PRINT_PACKAGES=(cups cups-client printer-driver-cups-pdf)
# Checks of the installed program and the command line in the tests: the desktop entry's
# validator, the Debian package tools cpack uses to find its dependencies, and a fixed date;
# a notification area (tray host) for the tray icon's test; the PDF tools that read the text
# positions and the page size of printed PDFs; the headers of the XCB DAMAGE extension, for
# the start-up benchmark's window watcher (bench/startup-process); the checkers of the Debian
# package, the AppStream entry, the manual page and the systemd user units; a session bus with
# its monitor, and a notification server (dunst) for the desktop notification; a Wayland
# compositor that runs without a screen, with its X server, for the Wayland session.
CHECK_PACKAGES=(desktop-file-utils dpkg-dev faketime trayer poppler-utils libxcb-damage0-dev
    lintian appstream man-db systemd dbus dunst weston xwayland)
# The phone sync's tests: a CalDAV server (Radicale), a CalDAV client that plays the phone, and
# a Secret Service (GNOME Keyring) on a session bus of the test's own; a calendar library that
# reads the calendar feed, and openssl for a certificate that does not check out.
SYNC_PACKAGES=(radicale python3-caldav python3-icalendar gnome-keyring openssl)
# The fuzz harnesses: clang 14 and its runtime libraries (libFuzzer and the sanitizers).
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
