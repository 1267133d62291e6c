// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Gives memory that the program has freed back to the system. Building and first painting the
// main window free much of what they allocate on the way (the font configuration read, text
// layouts, the picture converted for the screen), but the C library keeps freed heap pages for
// later use; the program's resident memory would stay as large as at its busiest moment.

class QWidget;

void releaseFreedMemory();

// Releases the freed memory once, right after the widget's first paint has finished.
void releaseFreedMemoryAfterFirstPaint(QWidget *widget);
