// SPDX-License-Identifier: GPL-3.0-or-later
// The title-bar buttons, "Close", the help button, the tray icon, the drag surfaces, where
// message boxes open, and the reminder when the date changes.

#include "MainWindowFixture.h"

#include "platform/DayWatch.h"
#include "platform/Shell.h"
#include "widgets/THoverButton.h"
#include "widgets/TTrayIcon.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using Report = NotificationArea::Report;
using Reports = QList<Report>;

namespace {
void press(TAForm1 *window, const char *name)
{
    auto *button = window->findChild<THoverButton *>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, 4));
}
} // namespace

class TestWindowCommands : public QObject
{
    Q_OBJECT

private slots:
    void closeButtonsWriteAndClose_data();
    void closeButtonsWriteAndClose();
    void stayOnTopTogglesTheGlyph();
    void trayButtonHides_data();
    void trayButtonHides();
    void onlyTheSurfaceDrags_data();
    void onlyTheSurfaceDrags();
    void messageBoxOpensAtTheDesktopCentre();
    void pointerRestsOnTheDefaultButton_data();
    void pointerRestsOnTheDefaultButton();
    void dayChangeReminder_data();
    void dayChangeReminder();
    void helpOpensTheHelpFile();
    void helpWithoutAnOpenerSaysWhereItIs_data();
    void helpWithoutAnOpenerSaysWhereItIs();
};

void TestWindowCommands::closeButtonsWriteAndClose_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("Close") << "HoverButton103";
    QTest::newRow("title x") << "ButtonX";
}

void TestWindowCommands::closeButtonsWriteAndClose()
{
    QFETCH(QString, button);
    MainWindowFixture f;
    f.window->show();
    f.edit(9)->setText(QStringLiteral("Honey"));
    QSignalSpy closed(f.window.get(), &TAForm1::closed);
    press(f.window.get(), qPrintable(button));
    QCOMPARE(closed.count(), 1);
    QVERIFY(!f.window->isVisible());
    QCOMPARE(f.read(QStringLiteral("RecDesc.txt")).split('\n').at(8), QByteArray("Honey\r"));
}

void TestWindowCommands::stayOnTopTogglesTheGlyph()
{
    MainWindowFixture f;
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    auto *pin = f.window->findChild<THoverButton *>(QStringLiteral("ButtonOnTop"));
    const QPoint centre = pin->rect().center();
    QCursor::setPos(pin->mapToGlobal(centre));
    QTest::mouseMove(pin, centre);
    // What the screen shows right after the click, the pointer still over the button.
    auto clickShowsYellow = [&] {
        QTest::mouseClick(pin, Qt::LeftButton, {}, centre);
        const QImage shown = pin->screen()
                                 ->grabWindow(f.window->winId(), pin->x(), pin->y(), pin->width(), pin->height())
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        const auto *pixels = reinterpret_cast<const QRgb *>(shown.constBits());
        return std::count(pixels, pixels + shown.sizeInBytes() / 4, qRgb(255, 255, 0)) > 0;
    };
    QCOMPARE(pin->fontColor(), 0x00FFFFFFu);
    QVERIFY(clickShowsYellow());
    QCOMPARE(pin->fontColor(), 0x0000FFFFu);
    QVERIFY(f.window->onTop());
    QVERIFY(!clickShowsYellow());
    QCOMPARE(pin->fontColor(), 0x00FFFFFFu);
    QVERIFY(!f.window->onTop());
}

void TestWindowCommands::trayButtonHides_data()
{
    QTest::addColumn<bool>("trayAvailable");
    QTest::addColumn<Reports>("trayClick");
    QTest::newRow("tray, left click") << true << Reports{Report::LeftDown, Report::LeftUp};
    QTest::newRow("tray, right click") << true << Reports{Report::RightDown, Report::RightUp};
    // Without a notification area, hiding would strand the window: "T" minimises instead.
    QTest::newRow("no tray") << false << Reports{Report::LeftDown, Report::LeftUp};
}

void TestWindowCommands::trayButtonHides()
{
    QFETCH(bool, trayAvailable);
    QFETCH(Reports, trayClick);
    MainWindowFixture f({}, QDate(2026, 12, 10), trayAvailable);
    TTrayIcon *tray = f.window->trayIcon();
    QVERIFY(tray->added());
    QVERIFY(!tray->icon().isNull());
    QCOMPARE(tray->notificationArea().tip(), QString());
    f.window->show();
    QSignalSpy closed(f.window.get(), &TAForm1::closed);
    press(f.window.get(), "ButtonTray");
    QCOMPARE(f.window->isVisible(), !trayAvailable);
    QCOMPARE(f.window->isMinimized(), !trayAvailable);
    QCOMPARE(closed.count(), 0);

    for (Report r : trayClick)
        tray->handleReport(r);
    QVERIFY(f.window->isVisible());
    QVERIFY(!f.window->isMinimized());

    // The print dialog closed by its frame leaves the window to the tray icon, if there is one.
    f.window->hide();
    f.window->printDialogClosedByFrame();
    QCOMPARE(f.window->isVisible(), !trayAvailable);
}

void TestWindowCommands::onlyTheSurfaceDrags_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("drags");
    QTest::newRow("background picture") << "Image1" << Qt::LeftButton << 1;
    QTest::newRow("background picture, right button") << "Image1" << Qt::RightButton << 0;
    QTest::newRow("status bar") << "StatusBarPro1" << Qt::LeftButton << 1;
    QTest::newRow("date label") << "Label2" << Qt::LeftButton << 0;
    QTest::newRow("days panel") << "Panel1" << Qt::LeftButton << 0;
    QTest::newRow("days label") << "Label1" << Qt::LeftButton << 0;
    QTest::newRow("calendar navigation bar") << "qt_calendar_navigationbar" << Qt::LeftButton << 0;
    QTest::newRow("name field") << "Edit1" << Qt::LeftButton << 0;
}

void TestWindowCommands::onlyTheSurfaceDrags()
{
    QFETCH(QString, control);
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, drags);
    MainWindowFixture f;
    int started = 0;
    f.window->startWindowMove = [&started] { ++started; };
    f.window->control(QStringLiteral("Panel1"))->show();
    f.window->control(QStringLiteral("MonthCalendar1"))->show();
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    auto *target = f.window->findChild<QWidget *>(control);
    QVERIFY(target);
    QTest::mousePress(target, button, {}, QPoint(2, 2));
    QTest::mouseRelease(target, button, {}, QPoint(2, 2));
    QCOMPARE(started, drags);
}

void TestWindowCommands::messageBoxOpensAtTheDesktopCentre()
{
    MainWindowFixture f;
    MessageBox::setTestMode(false);
    f.window->move(300, 200);
    f.window->show();
    QRect shownAt;
    QTimer::singleShot(0, [&shownAt] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shownAt = box->frameGeometry();
            box->accept();
        }
    });
    MessageBox::information(f.window.get(), QStringLiteral("Centred"));
    MessageBox::setTestMode(true);
    QVERIFY(shownAt.isValid());
    QCOMPARE(shownAt.topLeft() + QPoint(shownAt.width() / 2, shownAt.height() / 2), Pointer::desktopCentre());
}

void TestWindowCommands::pointerRestsOnTheDefaultButton_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("question") << 0;
    QTest::newRow("warning") << 1;
    QTest::newRow("error with an offer") << 2;
    QTest::newRow("information") << 3;
}

void TestWindowCommands::pointerRestsOnTheDefaultButton()
{
    QFETCH(int, kind);
    MainWindowFixture f;
    MessageBox::setTestMode(false);
    f.window->show();
    QRect button;
    QTimer::singleShot(0, [&button] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            QPushButton *chosen = box->defaultButton();
            button = QRect(chosen->mapToGlobal(QPoint(0, 0)), chosen->size());
            chosen->click();
        }
    });
    const std::function<void(QWidget *)> boxes[] = {
        [](QWidget *p) { MessageBox::question(p, QStringLiteral("Confirm"), QStringLiteral("Reset all red?")); },
        [](QWidget *p) { MessageBox::warning(p, QStringLiteral("No red highlighted message to print.")); },
        [](QWidget *p) { MessageBox::errorWithOffer(p, QStringLiteral("Not printed."), QStringLiteral("Save...")); },
        [](QWidget *p) { MessageBox::information(p, QStringLiteral("Saved.")); }};
    Pointer::placeForBox(10, 35);
    boxes[kind](f.window.get());
    MessageBox::setTestMode(true);
    QVERIFY(button.isValid());
    const QPoint pointer = *Pointer::lastPlacement();
    QVERIFY2(button.contains(pointer),
             qPrintable(QStringLiteral("pointer at %1,%2").arg(pointer.x()).arg(pointer.y())));
}

void TestWindowCommands::dayChangeReminder_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<QString>("message");
    // On 12/10/2026 Milk and Bread are plain and Eggs and Tea yellow; a day later Milk and
    // Eggs are red, Bread yellow, and Tea still yellow; Jam is far from due.
    const QStringList shop{"Milk", "Tea", "Bread", "Jam", "Eggs"};
    const QStringList lines{"12/01/2026 1 010 0", "12/01/2026 1 015 9", "12/01/2026 1 012 2", "12/01/2026 1 030 3",
                            "12/01/2026 1 010 3"};
    QTest::newRow("three of five") << shop << lines << "3 items to buy: Milk, Bread, Eggs";
    QTest::newRow("one") << shop.mid(0, 2) << lines.mid(0, 2) << "1 item to buy: Milk";
    QTest::newRow("unnamed") << QStringList{"", "Eggs"} << QStringList{lines[0], lines[4]}
                             << "2 items to buy: (item 1), Eggs";
    QTest::newRow("none") << shop.mid(1, 1) << lines.mid(1, 1) << "";
    QStringList many;
    for (int n = 1; n <= 12; ++n)
        many << QStringLiteral("Washing powder %1").arg(n);
    QTest::newRow("list cut") << many << QStringList(12, lines[0])
                              << "12 items to buy: Washing powder 1, Washing powder 2, Washing powder 3, ...";
}

void TestWindowCommands::dayChangeReminder()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, records);
    QFETCH(QString, message);
    DataFiles files;
    for (int i = 0; i < names.size(); ++i) {
        files.names->replace(i, names[i]);
        files.records->replace(i, records[i]);
    }
    MainWindowFixture f(files);
    const QByteArray storedRecords = f.read(QStringLiteral("InvRecs.txt"));
    NotificationArea &area = f.window->trayIcon()->notificationArea();
    f.window->dayWatch()->check();
    QCOMPARE(area.lastMessage(), QString());

    // The window being shown checks the date too.
    Clock::setToday(QDate(2026, 12, 11));
    f.window->show();
    QCOMPARE(area.lastMessage(), message);
    // What the check coloured is saved at once; the record lines are not touched.
    const QList<QByteArray> colorLines = f.read(QStringLiteral("ecol.div")).split('\n');
    for (int slot = 1; slot <= names.size(); ++slot)
        QCOMPARE(colorLines.value(slot - 1).trimmed(), QByteArray::number(f.edit(slot)->color()));
    QCOMPARE(f.read(QStringLiteral("InvRecs.txt")), storedRecords);

    // Clicking the notification brings the hidden window back.
    f.window->hide();
    emit area.messageClicked();
    QVERIFY(f.window->isVisible());
}

void TestWindowCommands::helpOpensTheHelpFile()
{
    MainWindowFixture f;
    f.window->show();
    auto *help = f.window->findChild<QWidget *>(QStringLiteral("SpeedButton17"));
    QCOMPARE(help->geometry(), QRect(834, 33, 14, 26));
    QTest::mouseClick(help, Qt::LeftButton, {}, QPoint(7, 13));
    QCOMPARE(Shell::lastOpened(), QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("Help/Help.hta")));
}

void TestWindowCommands::helpWithoutAnOpenerSaysWhereItIs_data()
{
    QTest::addColumn<QString>("opener");
    QTest::newRow("opener finds no browser") << "exit 3";
    QTest::newRow("no opener") << "";
}

void TestWindowCommands::helpWithoutAnOpenerSaysWhereItIs()
{
    QFETCH(QString, opener);
    QTemporaryDir bin;
    if (!opener.isEmpty()) {
        QFile script(bin.filePath(QStringLiteral("xdg-open")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(("#!/bin/sh\n" + opener + '\n').toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit());
    MainWindowFixture f;
    Shell::setTestMode(false);
    f.window->SpeedButton17Click(nullptr);
    const QString help = *Shell::lastOpened();
    // The answer comes from the opener's end, on the event loop; the program does not wait.
    QTRY_COMPARE(MessageBox::shown().size(), 1);
    qputenv("PATH", path);
    QVERIFY(MessageBox::shown().at(0).text.endsWith(help));
}

QTEST_MAIN(TestWindowCommands)
#include "TestWindowCommands.moc"
