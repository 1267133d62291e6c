// SPDX-License-Identifier: GPL-3.0-or-later
// The display platform chosen for a session: X11 through XWayland in a Wayland session that
// has it, Wayland itself without it, and whatever the user chose with QT_QPA_PLATFORM.

#include "platform/DisplayPlatform.h"

#include <QtTest>

class TestDisplayPlatform : public QObject
{
    Q_OBJECT

private slots:
    void choosesForTheSession_data();
    void choosesForTheSession();
};

void TestDisplayPlatform::choosesForTheSession_data()
{
    QTest::addColumn<QByteArray>("chosen");
    QTest::addColumn<QByteArray>("wayland");
    QTest::addColumn<QByteArray>("x11");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("platform");
    QTest::newRow("Wayland with XWayland")
        << QByteArray() << QByteArray("wayland-0") << QByteArray(":0") << QByteArray("wayland") << QByteArray("xcb");
    QTest::newRow("Wayland without XWayland")
        << QByteArray() << QByteArray("wayland-0") << QByteArray() << QByteArray("wayland") << QByteArray("wayland");
    QTest::newRow("session type only") << QByteArray() << QByteArray() << QByteArray(":1") << QByteArray("wayland")
                                       << QByteArray("xcb");
    QTest::newRow("the user's choice") << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0")
                                       << QByteArray("wayland") << QByteArray();
    QTest::newRow("X11 session") << QByteArray() << QByteArray() << QByteArray(":0") << QByteArray("x11")
                                 << QByteArray();
    QTest::newRow("no display") << QByteArray() << QByteArray() << QByteArray() << QByteArray("tty") << QByteArray();
}

void TestDisplayPlatform::choosesForTheSession()
{
    QFETCH(QByteArray, chosen);
    QFETCH(QByteArray, wayland);
    QFETCH(QByteArray, x11);
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, platform);
    QCOMPARE(DisplayPlatform::choose({chosen, wayland, x11, type}), platform);
}

QTEST_GUILESS_MAIN(TestDisplayPlatform)
#include "TestDisplayPlatform.moc"
