// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Memory.h"

#include "platform/FirstPaint.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void releaseFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

void releaseFreedMemoryAfterFirstPaint(QWidget *widget)
{
    runAfterFirstPaint(widget, releaseFreedMemory);
}
