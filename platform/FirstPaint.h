#pragma once
// Work that should wait until a widget has first been painted: the user sees the window
// before anything that can wait for it.

#include <functional>

class QWidget;

// Runs work once, from the event loop, right after the widget's first paint has finished.
void runAfterFirstPaint(QWidget *widget, std::function<void()> work);
