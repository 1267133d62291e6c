// SPDX-License-Identifier: GPL-3.0-or-later
// Work that waits for a widget's first paint: it runs once, after the paint, and the tray icon
// held back by it is made then (or at once for a message, which cannot wait). Work that waits
// for the window's exposure runs just before that paint.

#include "platform/FirstPaint.h"
#include "platform/NotificationArea.h"

#include <QWidget>
#include <QtTest>

class TestFirstPaint : public QObject
{
    Q_OBJECT

private slots:
    void workRunsOnceAfterTheFirstPaint();
    void exposedWorkRunsBeforeThePaint();
    void trayIconWaitsForThePaint_data();
    void trayIconWaitsForThePaint();
};

void TestFirstPaint::workRunsOnceAfterTheFirstPaint()
{
    QWidget widget;
    widget.resize(50, 40);
    int runs = 0;
    runAfterFirstPaint(&widget, [&runs] { ++runs; });
    widget.resize(60, 40);
    QCoreApplication::processEvents();
    QCOMPARE(runs, 0);
    widget.grab();
    QCOMPARE(runs, 0); // not inside the paint
    QTRY_COMPARE(runs, 1);
    widget.grab();
    QCoreApplication::processEvents();
    QCOMPARE(runs, 1);
}

// Work for the exposure runs once, when the shown window is exposed, and before its paint.
void TestFirstPaint::exposedWorkRunsBeforeThePaint()
{
    QWidget window;
    window.resize(50, 40);
    QStringList order;
    runAfterFirstPaint(&window, [&order] { order << QStringLiteral("painted"); });
    window.show();
    runWhenExposed(&window, [&order] { order << QStringLiteral("exposed"); });
    QCOMPARE(order, QStringList());
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE(order, (QStringList{QStringLiteral("exposed"), QStringLiteral("painted")}));
    // On a window already exposed it runs at once, and only then.
    runWhenExposed(&window, [&order] { order << QStringLiteral("at once"); });
    window.hide();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(order.last(), QStringLiteral("at once"));
    QCOMPARE(order.size(), 3);
}

void TestFirstPaint::trayIconWaitsForThePaint_data()
{
    QTest::addColumn<bool>("held");
    QTest::addColumn<bool>("painted");
    QTest::addColumn<bool>("message");
    QTest::newRow("not held: made from the event loop") << false << false << false;
    QTest::newRow("held: made after the paint") << true << true << false;
    QTest::newRow("held, never painted: made after a second") << true << false << false;
    QTest::newRow("held, but a message: made at once") << true << false << true;
}

void TestFirstPaint::trayIconWaitsForThePaint()
{
    QFETCH(bool, held);
    QFETCH(bool, painted);
    QFETCH(bool, message);
    QWidget window;
    window.resize(50, 40);
    if (held)
        NotificationArea::holdUntilPainted(&window);
    NotificationArea area;
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    area.add(QIcon(pixmap), QStringLiteral("tip"));
    QVERIFY(area.isAdded());
    QVERIFY(!area.iconMade());
    if (message) {
        area.showMessage(QStringLiteral("Pantrova"), QStringLiteral("Milk is due"));
        QVERIFY(area.iconMade());
    } else {
        QCoreApplication::processEvents();
        QCOMPARE(area.iconMade(), !held);
        if (painted)
            window.grab();
        QTRY_VERIFY_WITH_TIMEOUT(area.iconMade(), painted ? 500 : 3000);
    }
    window.grab(); // nothing stays held for the rows after this one
    QCoreApplication::processEvents();
}

QTEST_MAIN(TestFirstPaint)
#include "TestFirstPaint.moc"
