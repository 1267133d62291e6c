// SPDX-License-Identifier: GPL-3.0-or-later
// Giving freed memory back after the first paint: the watch waits for a paint, acts once and
// leaves nothing behind on the widget.

#include "platform/Memory.h"

#include <QWidget>
#include <QtTest>

class TestMemory : public QObject
{
    Q_OBJECT

private slots:
    void watchEndsAfterTheFirstPaint();
};

void TestMemory::watchEndsAfterTheFirstPaint()
{
    QWidget widget;
    widget.resize(50, 40);
    const qsizetype before = widget.children().size();
    releaseFreedMemoryAfterFirstPaint(&widget);
    QCOMPARE(widget.children().size(), before + 1);
    // Events other than a paint leave the watch waiting.
    widget.resize(60, 40);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(widget.children().size(), before + 1);

    widget.grab();
    QTRY_COMPARE(widget.children().size(), before);
    releaseFreedMemory(); // safe at any time, also with nothing to give back
}

QTEST_MAIN(TestMemory)
#include "TestMemory.moc"
