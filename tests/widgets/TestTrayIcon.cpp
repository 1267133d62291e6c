// SPDX-License-Identifier: GPL-3.0-or-later
// The tray icon driven by synthetic reports of the notification area: the events and their
// order, pending clicks, the popup menu, Enabled, a throwing handler, and when the icon is in
// the notification area with which tool tip and frame.

#include "NoticesAsBoxes.h"
#include "TestSeams.h"
#include "core/AppError.h"
#include "platform/MessageBox.h"
#include "widgets/TTrayIcon.h"

#include <QtTest>

using Report = NotificationArea::Report;

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
} // namespace

class TestTrayIcon : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_seams.emplace();
        showNoticesAsBoxes();
    }
    void cleanupTestCase() { m_seams.reset(); }

    void events_data()
    {
        // Reports: "Ld" left down, "Lu" up, "L2" double, the same for R and M, "mv" a move,
        // "show" ShowIcon again.
        QTest::addColumn<QString>("reports");
        // "" no menu, "auto", "off" (AutoPopup false), "default" entry; "disabled"; "throws" (OnClick).
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("expected");
        // clang-format off
        QTest::newRow("click") << "Ld Lu" << "" << QStringList{"down L L", "click L", "up L L"};
        QTest::newRow("double click") << "Ld Lu L2 Lu" << ""
            << QStringList{"down L L", "click L", "up L L", "dblclick", "down L 2", "up L L"};
        QTest::newRow("double click, default entry") << "L2" << "default" << QStringList{"triggered", "down L 2"};
        QTest::newRow("right click") << "Rd Ru" << "" << QStringList{"down R R", "click R", "up R R"};
        QTest::newRow("right click, menu") << "Rd Ru" << "auto" << QStringList{"down R R", "menu", "up R R"};
        QTest::newRow("right click, menu off") << "Rd Ru" << "off" << QStringList{"down R R", "click R", "up R R"};
        QTest::newRow("up without down") << "Lu Ru" << "" << QStringList{"up L L", "up R R"};
        QTest::newRow("down of the other button") << "Rd Lu" << "" << QStringList{"down R R", "up L L"};
        QTest::newRow("middle, right double, move") << "Md Mu M2 R2 mv" << ""
            << QStringList{"down M M", "up M M", "down M 2", "down R 2", "move"};
        QTest::newRow("showing again forgets the press") << "Ld show Lu" << "" << QStringList{"down L L", "up L L"};
        QTest::newRow("disabled: nothing, icon stays") << "Ld Lu L2 mv" << "disabled" << QStringList{};
        // The report that threw ends there; the next one is handled as usual.
        QTest::newRow("throwing handler") << "Ld Lu Rd" << "throws"
            << QStringList{"down L L", "down R R", "error: click failed"};
        // clang-format on
    }

    void events()
    {
        QFETCH(QString, reports);
        QFETCH(QString, setup);
        QFETCH(QStringList, expected);
        MessageBox::clearShown();
        TTrayIcon tray;
        QStringList log;
        QMenu menu;
        tray.setIcon(filled(Qt::red));
        tray.loaded();
        tray.OnMouseDown = [&](QObject *, Qt::MouseButton b, TrayShiftState s, int, int) {
            log << "down " + name(b) + " " + name(s.buttons, s.doubleClick);
        };
        tray.OnMouseUp = [&](QObject *, Qt::MouseButton b, TrayShiftState s, int, int) {
            log << "up " + name(b) + " " + name(s.buttons, s.doubleClick);
        };
        tray.OnClick = [&](QObject *, Qt::MouseButton b, TrayShiftState, int, int) {
            if (setup == QLatin1String("throws"))
                throw AppError(QStringLiteral("click failed"));
            log << "click " + name(b);
        };
        tray.OnDblClick = [&](QObject *) { log << QStringLiteral("dblclick"); };
        tray.OnMouseMove = [&](QObject *, TrayShiftState, int, int) { log << QStringLiteral("move"); };
        tray.openMenu = [&](QMenu *, QPoint) { log << QStringLiteral("menu"); };
        QAction *entry = menu.addAction(QStringLiteral("Show"));
        connect(entry, &QAction::triggered, [&log] { log << QStringLiteral("triggered"); });
        const bool hasMenu = setup == u"auto" || setup == u"off" || setup == u"default";
        tray.setPopupMenu(hasMenu ? &menu : nullptr);
        menu.setProperty("AutoPopup", setup != u"off");
        menu.setDefaultAction(setup == u"default" ? entry : nullptr);
        tray.setEnabled(setup != u"disabled");

        const QHash<QString, Report> codes{{"Ld", Report::LeftDown},     {"Lu", Report::LeftUp},
                                           {"L2", Report::LeftDouble},   {"Rd", Report::RightDown},
                                           {"Ru", Report::RightUp},      {"R2", Report::RightDouble},
                                           {"Md", Report::MiddleDown},   {"Mu", Report::MiddleUp},
                                           {"M2", Report::MiddleDouble}, {"mv", Report::MouseMove}};
        for (const QString &code : reports.split(u' ')) {
            if (code == u"show")
                tray.ShowIcon();
            else
                tray.handleReport(codes.value(code));
        }
        for (const MessageBox::Shown &box : MessageBox::shown())
            log << "error: " + box.text;
        QCOMPARE(log, expected);
        QVERIFY(tray.notificationArea().isAdded());
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

private:
    std::optional<TestSeams> m_seams;
};

QTEST_MAIN(TestTrayIcon)
#include "TestTrayIcon.moc"
