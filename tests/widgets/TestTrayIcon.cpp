// The tray icon driven by synthetic reports of the notification area: the events and their
// order, pending clicks, the popup menu, Enabled, a throwing handler, and when the icon is in
// the notification area with which tool tip and frame.

#include "core/AppError.h"
#include "platform/MessageBox.h"
#include "widgets/TTrayIcon.h"

#include <QSystemTrayIcon>
#include <QtTest>

using Report = NotificationArea::Report;
using Reports = QList<Report>;

namespace {
QIcon filled(Qt::GlobalColor color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return QIcon(pixmap);
}

// "L", "R", "M" for the buttons, "2" for the double flag.
QString name(Qt::MouseButtons buttons, bool doubleClick = false)
{
    QString s;
    for (auto [b, c] : {std::pair{Qt::LeftButton, 'L'}, {Qt::RightButton, 'R'}, {Qt::MiddleButton, 'M'}})
        s += (buttons & b) ? QString(QLatin1Char(c)) : QString();
    return doubleClick ? s + QLatin1Char('2') : s;
}

// A loaded tray icon that writes its events into a log.
struct LoggedTray
{
    TTrayIcon tray;
    QStringList log;
    QMenu menu;

    LoggedTray()
    {
        tray.setIcon(filled(Qt::red));
        tray.loaded();
        tray.OnMouseDown = [this](QObject *, Qt::MouseButton b, TrayShiftState s, int, int) {
            log << "down " + name(b) + " " + name(s.buttons, s.doubleClick);
        };
        tray.OnMouseUp = [this](QObject *, Qt::MouseButton b, TrayShiftState s, int, int) {
            log << "up " + name(b) + " " + name(s.buttons, s.doubleClick);
        };
        tray.OnClick = [this](QObject *, Qt::MouseButton b, TrayShiftState, int, int) { log << "click " + name(b); };
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
        QTest::addColumn<QString>("menu"); // "" none, "auto", "off" (AutoPopup false), "default" entry
        QTest::addColumn<QStringList>("expected");
        const Reports click{Report::LeftDown, Report::LeftUp};
        const Reports right{Report::RightDown, Report::RightUp};
        // clang-format off
        QTest::newRow("click") << click << "" << QStringList{"down L L", "click L", "up L L"};
        QTest::newRow("double click") << click + Reports{Report::LeftDouble, Report::LeftUp} << ""
            << QStringList{"down L L", "click L", "up L L", "dblclick", "down L 2", "up L L"};
        QTest::newRow("double click, default entry") << Reports{Report::LeftDouble} << "default"
            << QStringList{"triggered", "down L 2"};
        QTest::newRow("right click") << right << "" << QStringList{"down R R", "click R", "up R R"};
        QTest::newRow("right click, menu") << right << "auto" << QStringList{"down R R", "menu", "up R R"};
        QTest::newRow("right click, menu off") << right << "off" << QStringList{"down R R", "click R", "up R R"};
        QTest::newRow("up without down") << Reports{Report::LeftUp, Report::RightUp} << ""
            << QStringList{"up L L", "up R R"};
        QTest::newRow("down of the other button") << Reports{Report::RightDown, Report::LeftUp} << ""
            << QStringList{"down R R", "up L L"};
        QTest::newRow("middle") << Reports{Report::MiddleDown, Report::MiddleUp, Report::MiddleDouble} << ""
            << QStringList{"down M M", "up M M", "down M 2"};
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
        t.tray.setPopupMenu(menu.isEmpty() ? nullptr : &t.menu);
        t.menu.setProperty("AutoPopup", menu != QLatin1String("off"));
        t.menu.setDefaultAction(menu == QLatin1String("default") ? entry : nullptr);
        t.feed(reports);
        QCOMPARE(t.log, expected);
    }

    void pendingClickAndEnabled()
    {
        LoggedTray t;
        // Showing the icon again between down and up forgets the press.
        t.feed({Report::LeftDown});
        t.tray.ShowIcon();
        t.feed({Report::LeftUp});
        QCOMPARE(t.log, QStringList({"down L L", "up L L"}));
        // Disabled, nothing is raised, but the icon stays.
        t.tray.setEnabled(false);
        t.feed({Report::LeftDown, Report::LeftUp, Report::LeftDouble, Report::MouseMove});
        QCOMPARE(t.log.size(), 2);
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

    void iconAndAnimation()
    {
        TTrayIcon tray;
        tray.setIcon(filled(Qt::red));
        QVERIFY(!tray.added()); // not before the window has finished loading
        tray.loaded();
        QVERIFY(tray.added() && tray.notificationArea().isAdded());
        tray.setActive(false);
        QVERIFY(!tray.notificationArea().isAdded());
        tray.setActive(true);
        QVERIFY(tray.added());
        // The tool tip is the hint up to its first bar, at most 63 characters.
        tray.setHint(QStringLiteral("Pantrova|Shopping reminders"));
        QCOMPARE(tray.notificationArea().tip(), QStringLiteral("Pantrova"));
        tray.setHint(QString(100, QLatin1Char('x')));
        QCOMPARE(tray.notificationArea().tip(), QString(63, QLatin1Char('x')));

        tray.setAnimated(true);
        QVERIFY(!tray.animated()); // no frames
        const QIcon frame = filled(Qt::blue);
        tray.setIcons({frame});
        tray.setAnimated(true);
        QVERIFY(tray.animated());
        QCOMPARE(tray.notificationArea().icon().cacheKey(), frame.cacheKey());
        tray.setIcons({}); // no frames left: Icon again
        QVERIFY(!tray.animated());
        QCOMPARE(tray.notificationArea().icon().cacheKey(), tray.icon().cacheKey());

        // An empty icon is never handed over: an added one is removed instead.
        tray.setIcon(QIcon());
        QVERIFY(!tray.added() && !tray.notificationArea().isAdded());
    }

    void activationsBecomeReports()
    {
        QCOMPARE(NotificationArea::reportsFor(QSystemTrayIcon::Trigger), Reports({Report::LeftDown, Report::LeftUp}));
        QCOMPARE(NotificationArea::reportsFor(QSystemTrayIcon::Context), Reports({Report::RightDown, Report::RightUp}));
        QCOMPARE(NotificationArea::reportsFor(QSystemTrayIcon::DoubleClick), Reports{Report::LeftDouble});
        QCOMPARE(NotificationArea::reportsFor(QSystemTrayIcon::MiddleClick),
                 Reports({Report::MiddleDown, Report::MiddleUp}));
    }
};

QTEST_MAIN(TestTrayIcon)
#include "TestTrayIcon.moc"
