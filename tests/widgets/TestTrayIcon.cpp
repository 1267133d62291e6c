// The tray icon component driven by synthetic reports of the notification area: the events
// it raises and their order, the pending clicks, the popup menu, the hint, the animation flag,
// when the icon is in the notification area, and a handler that throws.

#include "core/AppError.h"
#include "platform/MessageBox.h"
#include "widgets/TTrayIcon.h"

#include <QMenu>
#include <QSystemTrayIcon>
#include <QtTest>

using Report = NotificationArea::Report;
using Reports = QList<Report>;

namespace {
QIcon redIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    return QIcon(pixmap);
}

QString buttonName(Qt::MouseButton button)
{
    return button == Qt::LeftButton    ? QStringLiteral("L")
           : button == Qt::RightButton ? QStringLiteral("R")
                                       : QStringLiteral("M");
}

// The shift state as "L", "R", "M" for the button flags and "2" for the double flag.
QString shiftName(TrayShiftState shift)
{
    QString s;
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if (shift.buttons & b)
            s += buttonName(b);
    }
    return shift.doubleClick ? s + QStringLiteral("2") : s;
}

// A loaded tray icon whose events are written into a log.
struct LoggedTray
{
    TTrayIcon tray;
    QStringList log;
    QMenu menu;

    LoggedTray()
    {
        tray.setIcon(redIcon());
        tray.loaded();
        tray.OnMouseDown = [this](QObject *, Qt::MouseButton b, TrayShiftState s, int, int) {
            log << QStringLiteral("down %1 %2").arg(buttonName(b), shiftName(s));
        };
        tray.OnMouseUp = [this](QObject *, Qt::MouseButton b, TrayShiftState s, int, int) {
            log << QStringLiteral("up %1 %2").arg(buttonName(b), shiftName(s));
        };
        tray.OnClick = [this](QObject *sender, Qt::MouseButton b, TrayShiftState, int, int) {
            QCOMPARE(sender, &tray);
            log << QStringLiteral("click %1").arg(buttonName(b));
        };
        tray.OnDblClick = [this](QObject *) { log << QStringLiteral("dblclick"); };
        tray.OnMouseMove = [this](QObject *, TrayShiftState, int, int) { log << QStringLiteral("move"); };
        tray.openMenu = [this](QMenu *, QPoint) { log << QStringLiteral("menu"); };
    }

    void feed(const Reports &reports)
    {
        for (Report r : reports)
            tray.handleReport(r);
    }
};
} // namespace

class TestTrayIcon : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        NotificationArea::setTestMode(true);
        MessageBox::setTestMode(true);
    }

    void events_data()
    {
        QTest::addColumn<Reports>("reports");
        QTest::addColumn<QString>("menu"); // "" none, "auto" pops up, "off" AutoPopup false, "default"
        QTest::addColumn<QStringList>("expected");
        // clang-format off
        QTest::newRow("click") << Reports{Report::LeftDown, Report::LeftUp} << ""
            << QStringList{"down L L", "click L", "up L L"};
        QTest::newRow("double click") << Reports{Report::LeftDown, Report::LeftUp, Report::LeftDouble, Report::LeftUp} << ""
            << QStringList{"down L L", "click L", "up L L", "dblclick", "down L 2", "up L L"};
        QTest::newRow("double click, default entry") << Reports{Report::LeftDouble} << "default"
            << QStringList{"triggered", "down L 2"};
        QTest::newRow("right click, no menu") << Reports{Report::RightDown, Report::RightUp} << ""
            << QStringList{"down R R", "click R", "up R R"};
        QTest::newRow("right click, menu") << Reports{Report::RightDown, Report::RightUp} << "auto"
            << QStringList{"down R R", "menu", "up R R"};
        QTest::newRow("right click, menu not popping up") << Reports{Report::RightDown, Report::RightUp} << "off"
            << QStringList{"down R R", "click R", "up R R"};
        QTest::newRow("left click, menu") << Reports{Report::LeftDown, Report::LeftUp} << "auto"
            << QStringList{"down L L", "click L", "up L L"};
        QTest::newRow("up without down") << Reports{Report::LeftUp, Report::RightUp} << ""
            << QStringList{"up L L", "up R R"};
        QTest::newRow("down of the other button") << Reports{Report::RightDown, Report::LeftUp} << ""
            << QStringList{"down R R", "up L L"};
        QTest::newRow("middle click") << Reports{Report::MiddleDown, Report::MiddleUp, Report::MiddleDouble} << ""
            << QStringList{"down M M", "up M M", "down M 2"};
        QTest::newRow("right double") << Reports{Report::RightDouble} << "" << QStringList{"down R 2"};
        QTest::newRow("move") << Reports{Report::MouseMove} << "" << QStringList{"move"};
        // clang-format on
    }

    void events()
    {
        QFETCH(Reports, reports);
        QFETCH(QString, menu);
        QFETCH(QStringList, expected);
        LoggedTray t;
        QAction *entry = t.menu.addAction(QStringLiteral("Show"));
        connect(entry, &QAction::triggered, [&t] { t.log << QStringLiteral("triggered"); });
        if (!menu.isEmpty())
            t.tray.setPopupMenu(&t.menu);
        if (menu == QLatin1String("off"))
            t.menu.setProperty("AutoPopup", false);
        if (menu == QLatin1String("default"))
            t.menu.setDefaultAction(entry);
        t.feed(reports);
        QCOMPARE(t.log, expected);
    }

    void showingTheIconAgainForgetsAPress()
    {
        LoggedTray t;
        t.feed({Report::LeftDown});
        t.tray.ShowIcon();
        t.feed({Report::LeftUp});
        QCOMPARE(t.log, QStringList({"down L L", "up L L"}));
    }

    void disabledRaisesNothingAndKeepsTheIcon()
    {
        LoggedTray t;
        t.tray.setEnabled(false);
        t.feed({Report::LeftDown, Report::LeftUp, Report::LeftDouble, Report::MouseMove});
        QVERIFY(t.log.isEmpty());
        QVERIFY(t.tray.notificationArea().isAdded());
    }

    void throwingHandlerIsReported()
    {
        LoggedTray t;
        MessageBox::clearShown();
        t.tray.OnClick = [](QObject *, Qt::MouseButton, TrayShiftState, int, int) {
            throw AppError(QStringLiteral("click failed"));
        };
        t.feed({Report::LeftDown, Report::LeftUp, Report::RightDown});
        // The report that threw ends there; the next one is handled as usual.
        QCOMPARE(t.log, QStringList({"down L L", "down R R"}));
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().text, QStringLiteral("click failed"));
    }

    void hint_data()
    {
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("tip");
        const QString hundred(100, QLatin1Char('x'));
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("bar") << "Pantrova|Shopping reminders"
                             << "Pantrova";
        QTest::newRow("two bars") << "a|b|c"
                                  << "a";
        QTest::newRow("100 characters") << hundred << QString(63, QLatin1Char('x'));
        QTest::newRow("long before the bar") << hundred + "|short" << QString(63, QLatin1Char('x'));
    }

    void hint()
    {
        QFETCH(QString, hint);
        QFETCH(QString, tip);
        LoggedTray t;
        t.tray.setHint(hint);
        QCOMPARE(t.tray.hint(), hint);
        QCOMPARE(t.tray.notificationArea().tip(), tip);
    }

    void iconInTheNotificationArea()
    {
        TTrayIcon tray;
        tray.setIcon(redIcon());
        // Not before the window has finished loading.
        QVERIFY(!tray.added());
        tray.loaded();
        QVERIFY(tray.added() && tray.notificationArea().isAdded());
        tray.setActive(false);
        QVERIFY(!tray.added() && !tray.notificationArea().isAdded());
        tray.setActive(true);
        QVERIFY(tray.added());
        // An empty icon is never handed over: an added one is removed instead.
        tray.setIcon(QIcon());
        QVERIFY(!tray.added() && !tray.notificationArea().isAdded());
        tray.ShowIcon();
        QVERIFY(!tray.added());
    }

    void animatedNeedsIcons()
    {
        LoggedTray t;
        t.tray.setAnimated(true);
        QVERIFY(!t.tray.animated());
        QCOMPARE(t.tray.frameIndex(), -1);
        const QIcon blue = [] {
            QPixmap p(16, 16);
            p.fill(Qt::blue);
            return QIcon(p);
        }();
        t.tray.setIcons({blue});
        t.tray.setAnimated(true);
        QVERIFY(t.tray.animated());
        QCOMPARE(t.tray.frameIndex(), 0);
        QCOMPARE(t.tray.notificationArea().icon().cacheKey(), blue.cacheKey());
        // Emptying the frames ends the animation and shows Icon again.
        t.tray.setIcons({});
        QVERIFY(!t.tray.animated());
        QCOMPARE(t.tray.notificationArea().icon().cacheKey(), t.tray.icon().cacheKey());
    }

    void activationsBecomeReports_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<Reports>("reports");
        QTest::newRow("trigger") << int(QSystemTrayIcon::Trigger) << Reports{Report::LeftDown, Report::LeftUp};
        QTest::newRow("context") << int(QSystemTrayIcon::Context) << Reports{Report::RightDown, Report::RightUp};
        QTest::newRow("double") << int(QSystemTrayIcon::DoubleClick) << Reports{Report::LeftDouble};
        QTest::newRow("middle") << int(QSystemTrayIcon::MiddleClick) << Reports{Report::MiddleDown, Report::MiddleUp};
        QTest::newRow("unknown") << int(QSystemTrayIcon::Unknown) << Reports{};
    }

    void activationsBecomeReports()
    {
        QFETCH(int, reason);
        QFETCH(Reports, reports);
        QCOMPARE(NotificationArea::reportsFor(reason), reports);
    }
};

QTEST_MAIN(TestTrayIcon)
#include "TestTrayIcon.moc"
