// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Work that should wait until a widget has first been painted: the user sees the window
// before anything that can wait for it.

#include <functional>

class QWidget;

// Runs work once, from the event loop, right after the widget's first paint has finished.
void runAfterFirstPaint(QWidget *widget, std::function<void()> work);

// Runs work once, when the shown window is next exposed on the screen, just before it paints.
// Work that must precede the paint but not the map belongs here: the window manager maps the
// window without the program competing with it for the processor.
void runWhenExposed(QWidget *window, std::function<void()> work);
