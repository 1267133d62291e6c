// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, layout and shut-down of the main window on a temporary data folder.

#include "MainWindowFixture.h"

#include "core/DataFolder.h"
#include "core/Dates.h"
#include "platform/GdiFont.h"
#include "platform/GifImage.h"
#include "widgets/THoverButton.h"
#include "widgets/TImage.h"
#include "widgets/TSpeedButton.h"
#include "widgets/TZekButton.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QCalendarWidget>
#include <QColorSpace>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void fieldsShowNamesAndStoredColors_data();
    void fieldsShowNamesAndStoredColors();
    void controlLayout_data();
    void controlLayout();
    void calendarIsMadeOnFirstUseAsTheLayoutPlacesIt();
    void windowColourShowsWhereThePictureDoesNot();
    void backgroundIsThePictureOfTheGif();
    void iconAndHelpGlyphAreLoaded();
    void menuEntries_data();
    void menuEntries();
    void gridGeometry_data();
    void gridGeometry();
    void dateLabelIsCentred_data();
    void dateLabelIsCentred();
    void controlsShowAfterTheWindow();
    void missingFileStopsStartup_data();
    void missingFileStopsStartup();
    void badColorLineStopsColorLoop_data();
    void badColorLineStopsColorLoop();
    void closeWritesTheThreeFiles();
    void unchangedStateIsRewrittenByteForByte();
    void closeWhenSavingFails_data();
    void closeWhenSavingFails();
    void longNameIsWrittenBackWhole();
    void linesPastTheLastSlotAreKept();
    void damagedRecordsNeitherCrashNorBreakLines();
    void filesNotReadAtStartAreLeftUnchanged();
};

void TestMainWindow::fieldsShowNamesAndStoredColors_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<quint32>("background");
    QTest::addColumn<quint32>("font");
    QTest::newRow("dark gray") << "8684164" << 8684164u << FieldColor::White;
    QTest::newRow("learning gray") << "8421504" << 8421504u << FieldColor::White;
    QTest::newRow("red") << "255" << 255u << FieldColor::Yellow;
    QTest::newRow("cream") << "13565951" << 13565951u << FieldColor::Navy;
    QTest::newRow("light gray") << "13026246" << 13026246u << FieldColor::Navy;
    QTest::newRow("silver") << "12632256" << 12632256u << FieldColor::Navy;
}

void TestMainWindow::fieldsShowNamesAndStoredColors()
{
    QFETCH(QString, stored);
    QFETCH(quint32, background);
    QFETCH(quint32, font);
    DataFiles files;
    files.names->replace(6, QStringLiteral("Milk"));
    files.names->replace(99, QStringLiteral("Bread"));
    files.colors = QStringList(100, QStringLiteral("12632256"));
    files.colors->replace(6, stored);
    MainWindowFixture f(files);

    QCOMPARE(f.edit(7)->text(), QStringLiteral("Milk"));
    QCOMPARE(f.edit(100)->text(), QStringLiteral("Bread"));
    QCOMPARE(f.edit(8)->text(), QString());
    QCOMPARE(f.edit(7)->color(), background);
    QCOMPARE(f.edit(7)->fontColor(), font);
    QCOMPARE(f.edit(8)->colors(), FieldState::Plain);
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestMainWindow::controlLayout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("caption");
    // clang-format off
    QTest::newRow("Image1") << "Image1" << QRect(0, 0, 854, 590) << true << "";
    QTest::newRow("ReCheck") << "HoverButton102" << QRect(16, 34, 86, 22) << true << "ReCheck";
    QTest::newRow("Reset All Red") << "HoverButton101" << QRect(106, 34, 86, 22) << true << "Reset All Red";
    QTest::newRow("Print") << "HoverButton104" << QRect(196, 34, 86, 22) << true << "Print";
    QTest::newRow("Close") << "HoverButton103" << QRect(286, 34, 86, 22) << true << "Close";
    QTest::newRow("ButtonTray") << "ButtonTray" << QRect(754, 6, 22, 21) << true << "T";
    QTest::newRow("ButtonOnTop") << "ButtonOnTop" << QRect(778, 6, 22, 21) << true << QString(QChar(0xCA));
    QTest::newRow("ButtonMin") << "ButtonMin" << QRect(802, 6, 22, 21) << true << "-";
    QTest::newRow("ButtonX") << "ButtonX" << QRect(826, 6, 22, 21) << true << QString(QChar(0xD7));
    QTest::newRow("SpeedButton17") << "SpeedButton17" << QRect(834, 33, 14, 26) << true << "";
    QTest::newRow("Panel1") << "Panel1" << QRect(375, 32, 113, 51) << false << "";
    QTest::newRow("IntegerEdit1") << "IntegerEdit1" << QRect(48, 5, 41, 21) << false << "";
    QTest::newRow("DaysOK") << "DaysOK" << QRect(8, 30, 47, 18) << false << "OK";
    QTest::newRow("DaysCancel") << "DaysCancel" << QRect(58, 30, 47, 18) << false << "Cancel";
    QTest::newRow("StatusBarPro1") << "StatusBarPro1" << QRect(6, 566, 842, 19) << true << "";
    QTest::newRow("MonthCalendar1") << "MonthCalendar1" << QRect(328, 247, 197, 153) << false << "";
    QTest::newRow("ZekButton1") << "ZekButton1" << QRect(478, 382, 45, 16) << false << "Cancel";
    QTest::newRow("Memo1") << "Memo1" << QRect(600, 32, 49, 33) << false << "";
    QTest::newRow("Memo2") << "Memo2" << QRect(544, 32, 49, 33) << false << "";
    // clang-format on
}

void TestMainWindow::controlLayout()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(bool, visible);
    QFETCH(QString, caption);
    MainWindowFixture f;
    f.window->show();
    auto *control = f.window->control(name);
    QVERIFY2(control, qPrintable(name));
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(control->isVisible(), visible);
    if (auto *button = qobject_cast<THoverButton *>(control))
        QCOMPARE(button->caption(), caption);
    else if (auto *zek = qobject_cast<QAbstractButton *>(control))
        QCOMPARE(zek->text(), caption);
}

// The build takes the background apart into runs; the window must show the GIF's very pixels.
void TestMainWindow::backgroundIsThePictureOfTheGif()
{
    MainWindowFixture f;
    auto *image = qobject_cast<TImage *>(f.window->control(QStringLiteral("Image1")));
    QVERIFY(image);
    const QImage gif = loadGif(QFINDTESTDATA("../../assets/background.gif"));
    QVERIFY(!gif.isNull());
    QCOMPARE(image->picture(), gif);
}

// The calendar costs more to make than the rest of the window; it is made when first wanted,
// with the date of the start-up and in its place among the controls.
void TestMainWindow::calendarIsMadeOnFirstUseAsTheLayoutPlacesIt()
{
    MainWindowFixture f;
    QVERIFY(!f.window->findChild<QCalendarWidget *>());
    Clock::setToday(QDate(2026, 12, 11));
    auto *calendar = qobject_cast<QCalendarWidget *>(f.window->control(QStringLiteral("MonthCalendar1")));
    QVERIFY(calendar);
    QCOMPARE(calendar->selectedDate(), QDate(2026, 12, 10));
    QCOMPARE(calendar->minimumDate(), Dates::FirstStorable);
    QCOMPARE(calendar->maximumDate(), Dates::LastStorable);
    QStringList order;
    for (QObject *child : f.window->children()) {
        if (child->isWidgetType() && !child->objectName().startsWith(QLatin1String("PopupMenu")))
            order.append(child->objectName());
    }
    const qsizetype statusBar = order.indexOf(QStringLiteral("StatusBarPro1"));
    QCOMPARE(order.mid(statusBar, 6), (QStringList{QStringLiteral("StatusBarPro1"), QStringLiteral("MonthCalendar1"),
                                                   QStringLiteral("ZekButton1"), QStringLiteral("Memo1"),
                                                   QStringLiteral("Memo2"), QStringLiteral("Edit1")}));

    f.window->action(QStringLiteral("SetHardDate1"))->trigger();
    QCOMPARE(f.window->findChildren<QCalendarWidget *>(), QList<QCalendarWidget *>{calendar});
    QVERIFY(calendar->isVisibleTo(f.window.get()));
}

void TestMainWindow::iconAndHelpGlyphAreLoaded()
{
    // The build packs the pictures; they come back with the pixels of the drawn PNGs.
    MainWindowFixture f;
    const QList<QSize> sizes{QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48), QSize(64, 64)};
    QCOMPARE(f.window->windowIcon().availableSizes(), sizes);
    // The pixels; the PNG also names its colour space, which the icon sent to the desktop never carries.
    const auto pixels = [](const QPixmap &pixmap) {
        QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        image.setColorSpace(QColorSpace());
        return image;
    };
    for (const QSize &size : sizes) {
        const QString png = QStringLiteral(PANTROVA_ICONS "/%1x%1/pantrova.png").arg(size.width());
        QCOMPARE(pixels(f.window->windowIcon().pixmap(size)), pixels(QPixmap::fromImage(QImage(png))));
    }
    TSpeedButton fromPng;
    fromPng.setGlyph(QImage(QStringLiteral(PANTROVA_ASSETS "/help-glyph.png")));
    QCOMPARE(f.window->findChild<TSpeedButton *>(QStringLiteral("SpeedButton17"))->glyph(), fromPng.glyph());
}

// The window's colour shows where the picture does not cover the window, and on the controls
// made later that take it and the window's font from the window: the calendar, its Cancel
// button and the days panel.
void TestMainWindow::windowColourShowsWhereThePictureDoesNot()
{
    MainWindowFixture f;
    const QColor windowColour(0xE7, 0xDF, 0xAD);
    f.window->control(QStringLiteral("Image1"))->hide();
    QCOMPARE(f.window->grab().toImage().pixelColor(5, 300), windowColour);
    const QFont windowFont = toQFont(GdiFont{QStringLiteral("MS Sans Serif"), -11, 0x80000008, false});
    for (const char *name : {"MonthCalendar1", "Panel1"}) {
        QWidget *control = f.window->control(QString::fromLatin1(name));
        QCOMPARE(control->palette().color(QPalette::Window), windowColour);
        QCOMPARE(control->font(), windowFont);
    }
    QCOMPARE(qobject_cast<TZekButton *>(f.window->control(QStringLiteral("ZekButton1")))->color(),
             ColorValue(0x00ADDFE7));
}

void TestMainWindow::menuEntries_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("enabled");
    // clang-format off
    QTest::newRow("BumpDate1") << "BumpDate1" << "0 product used - foward buy date" << false << true;
    QTest::newRow("BackDate1") << "BackDate1" << "2 products used - back up buy date" << true << true;
    QTest::newRow("PlusMinusCycle1") << "PlusMinusCycle1" << "Inc/Dec cycle days..." << true << true;
    QTest::newRow("SetHardDate1") << "SetHardDate1" << "Set hard date" << false << true;
    QTest::newRow("SetDays") << "SetDays" << "Set Days..." << true << true;
    QTest::newRow("Days10") << "Days10" << "10" << true << true;
    QTest::newRow("SetDaysMan") << "SetDaysMan" << "> 20..." << true << true;
    QTest::newRow("SetWarning1") << "SetWarning1" << "Set prewarn days..." << true << true;
    QTest::newRow("PreWarn0") << "PreWarn0" << "0" << true << true;
    QTest::newRow("SetWarning2") << "SetWarning2" << "Set prewarn days all..." << true << true;
    QTest::newRow("PreWarnAll9") << "PreWarnAll9" << "9" << true << true;
    QTest::newRow("StartTracking1") << "StartTracking1" << "Start tracking" << true << true;
    QTest::newRow("StopTracking1") << "StopTracking1" << "Stop tracking" << true << true;
    QTest::newRow("ClearFocused") << "ClearFocused" << "Clear focused" << true << true;
    QTest::newRow("Copy1") << "Copy1" << "Copy" << true << true;
    QTest::newRow("Paste1") << "Paste1" << "Paste" << true << false;
    QTest::newRow("Red1") << "Red1" << "Red" << true << true;
    QTest::newRow("Yellow1") << "Yellow1" << "Yellow" << true << true;
    QTest::newRow("Gray1") << "Gray1" << "Gray" << true << true;
    QTest::newRow("DarkGray1") << "DarkGray1" << "Dark Gray" << true << true;
    QTest::newRow("Beige1") << "Beige1" << "Beige" << true << true;
    // clang-format on
}

void TestMainWindow::menuEntries()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, visible);
    QFETCH(bool, enabled);
    MainWindowFixture f;
    f.window->itemMenu();
    auto *entry = f.window->findChild<QAction *>(name);
    QVERIFY2(entry, qPrintable(name));
    QCOMPARE(entry->text(), caption);
    QCOMPARE(entry->isVisible(), visible);
    // Qt counts a hidden entry as disabled too.
    QCOMPARE(entry->isEnabled(), enabled && visible);
    QVERIFY(entry->shortcut().isEmpty());
    QVERIFY(!entry->isCheckable());
}

void TestMainWindow::gridGeometry_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QPoint>("field");
    QTest::addColumn<QPoint>("button");
    QTest::newRow("1") << 1 << QPoint(16, 88) << QPoint(144, 88);
    QTest::newRow("20") << 20 << QPoint(16, 544) << QPoint(144, 544);
    QTest::newRow("21") << 21 << QPoint(184, 88) << QPoint(312, 88);
    QTest::newRow("100") << 100 << QPoint(688, 544) << QPoint(816, 544);
}

void TestMainWindow::gridGeometry()
{
    QFETCH(int, slot);
    QFETCH(QPoint, field);
    QFETCH(QPoint, button);
    MainWindowFixture f;
    auto *edit = f.window->findChild<TEdit *>(QStringLiteral("Edit%1").arg(slot));
    auto *purchase = f.window->findChild<THoverButton *>(QStringLiteral("HoverButton%1").arg(slot));
    QVERIFY(edit && purchase);
    QCOMPARE(edit->geometry(), QRect(field, QSize(121, 16)));
    QCOMPARE(purchase->geometry(), QRect(button, QSize(22, 15)));
    QCOMPARE(purchase->caption(), QStringLiteral("P"));
    QCOMPARE(f.window->size(), QSize(854, 590));
    QCOMPARE(f.window->minimumSize(), QSize(854, 590));
    QCOMPARE(f.window->maximumSize(), QSize(854, 590));
    QVERIFY(f.window->windowFlags().testFlag(Qt::FramelessWindowHint));
}

void TestMainWindow::dateLabelIsCentred_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("text");
    QTest::newRow("long") << QDate(2026, 9, 30) << "Wednesday  September 30, 2026";
    QTest::newRow("short") << QDate(2026, 5, 1) << "Friday  May 1, 2026";
}

void TestMainWindow::dateLabelIsCentred()
{
    QFETCH(QDate, today);
    QFETCH(QString, text);
    MainWindowFixture f(DataFiles{}, today);
    auto *label = f.window->findChild<QLabel *>(QStringLiteral("Label2"));
    // The label is sized when the shown window is first exposed, before anything can paint it.
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    QCOMPARE(label->text(), text);
    const int textWidth = label->fontMetrics().horizontalAdvance(text);
    const int width = qMax(100, textWidth);
    QCOMPARE(label->width(), width);
    QCOMPARE(label->x(), 194 - width / 2);
    QCOMPARE(label->y(), 61);
    QCOMPARE(label->height(), 18);

    // A text narrower than 100 pixels (short names of another language) keeps the minimum
    // width and so starts at x = 144.
    f.window->showDate(QStringLiteral("Mo  1.1.26"));
    QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) < 100);
    QCOMPARE(label->geometry(), QRect(144, 61, 100, 18));
}

namespace {
QList<QObject *> askedForInterface;
QAccessibleInterface *recordAsked(const QString &, QObject *object)
{
    askedForInterface.append(object);
    return nullptr;
}
} // namespace

void TestMainWindow::controlsShowAfterTheWindow()
{
    // A first window installs the program's own accessible interfaces, so that the recorder,
    // installed after them, is asked first.
    MainWindowFixture(DataFiles{}, QDate(2026, 9, 30));
    askedForInterface.clear();
    QAccessible::installFactory(recordAsked);
    MainWindowFixture f(DataFiles{}, QDate(2026, 9, 30));
    const QList<QWidget *> controls = f.window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    QList<bool> hidden;
    for (const QWidget *control : controls)
        hidden.append(control->isHidden());
    const QList<QObject *> askedWhileBuilt = askedForInterface;
    auto *label = f.window->findChild<QLabel *>(QStringLiteral("Label2"));
    const QString textBeforeShow = label->text();

    f.window->show();
    QAccessible::removeFactory(recordAsked);
    // Nothing was news for assistive technology before the window showed: the first news
    // connects to the session bus, which must not delay the window's map.
    QCOMPARE(askedWhileBuilt.size(), 0);
    QVERIFY(askedForInterface.contains(f.window.get()));
    QVERIFY(askedForInterface.contains(label));
    QCOMPARE(textBeforeShow, QString());
    QCOMPARE(label->text(), QStringLiteral("Wednesday  September 30, 2026"));
    QVERIFY(hidden.contains(true) && hidden.contains(false));
    for (qsizetype i = 0; i < controls.size(); ++i)
        QVERIFY2(controls[i]->isVisible() != hidden[i], qPrintable(controls[i]->objectName()));
}

void TestMainWindow::missingFileStopsStartup_data()
{
    QTest::addColumn<bool>("recordsMissing");
    QTest::addColumn<QString>("file");
    QTest::newRow("records") << true << "InvRecs.txt";
    QTest::newRow("names") << false << "RecDesc.txt";
}

void TestMainWindow::missingFileStopsStartup()
{
    QFETCH(bool, recordsMissing);
    QFETCH(QString, file);
    DataFiles files;
    if (recordsMissing)
        files.records.reset();
    else
        files.names.reset();
    files.names = files.names ? std::optional(QStringList(100, QStringLiteral("Tea"))) : std::nullopt;
    files.colors = QStringList(100, QStringLiteral("255"));
    MainWindowFixture f(files);

    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().first().kind, MessageBox::Kind::Error);
    QCOMPARE(MessageBox::shown().first().text, QStringLiteral("Cannot open file %1").arg(f.path(file)));
    for (int slot : {1, 50, 100}) {
        QCOMPARE(f.edit(slot)->text(), QString());
        QCOMPARE(f.edit(slot)->colors(), FieldState::Plain);
    }
}

void TestMainWindow::badColorLineStopsColorLoop_data()
{
    QTest::addColumn<QStringList>("colors");
    QTest::addColumn<int>("firstPlainSlot");
    QTest::addColumn<QString>("message");
    QStringList bad(100, QStringLiteral("65535"));
    bad[49] = QStringLiteral("yellow");
    QTest::newRow("not a number") << bad << 50 << "'yellow' is not a valid integer value";
    QTest::newRow("too few lines") << QStringList(30, QStringLiteral("65535")) << 31 << "List index out of bounds (30)";
}

void TestMainWindow::badColorLineStopsColorLoop()
{
    QFETCH(QStringList, colors);
    QFETCH(int, firstPlainSlot);
    QFETCH(QString, message);
    DataFiles files;
    // A tracked item due today on a slot after the bad line: the due check must not run.
    files.records->replace(99, QStringLiteral("11/30/2026 1 010 3"));
    files.colors = colors;
    MainWindowFixture f(files);

    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().first().text, message);
    QCOMPARE(f.edit(firstPlainSlot - 1)->color(), FieldColor::Yellow);
    QCOMPARE(f.edit(firstPlainSlot)->colors(), FieldState::Plain);
    QCOMPARE(f.edit(100)->colors(), FieldState::Plain);
}

void TestMainWindow::closeWritesTheThreeFiles()
{
    DataFiles files;
    files.records->replace(2, QStringLiteral("12/01/2026 1 030 3"));
    MainWindowFixture f(files);
    f.edit(3)->setText(QStringLiteral("Coffee"));
    f.edit(4)->setColors(FieldState::Due);
    QSignalSpy closed(f.window.get(), &TAForm1::closed);

    QVERIFY(f.window->close());
    QCOMPARE(closed.count(), 1);

    const QByteArray records = f.read(QStringLiteral("InvRecs.txt"));
    const QByteArray names = f.read(QStringLiteral("RecDesc.txt"));
    const QByteArray colors = f.read(QStringLiteral("ecol.div"));
    for (const QByteArray *file : {&records, &names, &colors}) {
        QCOMPARE(file->count("\r\n"), 100);
        QVERIFY(file->endsWith("\r\n"));
        QCOMPARE(file->count('\n'), 100);
    }
    QVERIFY(records.startsWith("00/00/0000 0 000 3\r\n00/00/0000 0 000 3\r\n12/01/2026 1 030 3\r\n"));
    QCOMPARE(names.split('\n').at(2), QByteArray("Coffee\r"));
    QCOMPARE(colors.split('\n').at(3), QByteArray("255\r"));
    QCOMPARE(colors.split('\n').at(0), QByteArray("12632256\r"));
}

void TestMainWindow::unchangedStateIsRewrittenByteForByte()
{
    DataFiles files;
    files.records->replace(0, QStringLiteral("12/01/2026 1 030 3"));
    files.names->replace(0, QStringLiteral("Soap"));
    files.colors = QStringList(100, QStringLiteral("12632256"));
    files.colors->replace(0, QStringLiteral("13565951"));
    MainWindowFixture f(files);
    QVERIFY(f.window->close());
    QCOMPARE(f.read(QStringLiteral("InvRecs.txt")), DataFiles::crlf(*files.records));
    QCOMPARE(f.read(QStringLiteral("RecDesc.txt")), DataFiles::crlf(*files.names));
    QCOMPARE(f.read(QStringLiteral("ecol.div")), DataFiles::crlf(*files.colors));
}

void TestMainWindow::closeWhenSavingFails_data()
{
    QTest::addColumn<bool>("blocked");    // a file where the data folder was, else the folder is just gone
    QTest::addColumn<bool>("unattended"); // a signal or the end of the session
    QTest::addColumn<QString>("answers"); // per box: "-" for OK, Y or N to a question
    // E the error, T "Try to save again?", Q "Quit without saving? ... will be lost."
    QTest::addColumn<QString>("boxes");
    QTest::addColumn<bool>("closed");

    // clang-format off
    QTest::newRow("folder gone: made again") << false << false << "" << "" << true;
    QTest::newRow("stay open") << true << false << "-NN" << "ETQ" << false;
    QTest::newRow("retry, then quit without saving") << true << false << "-Y-NY" << "ETETQ" << true;
    QTest::newRow("quit without saving") << true << false << "-NY" << "ETQ" << true;
    QTest::newRow("signal: no box, ends") << true << true << "" << "" << true;
    // clang-format on
}

void TestMainWindow::closeWhenSavingFails()
{
    QFETCH(bool, blocked);
    QFETCH(bool, unattended);
    QFETCH(QString, answers);
    QFETCH(QString, boxes);
    QFETCH(bool, closed);

    MainWindowFixture f;
    f.window->show();
    f.edit(7)->setText(QStringLiteral("Rice"));
    QVERIFY(QDir(f.folder()).removeRecursively());
    QVERIFY(!blocked || QFile(f.folder()).open(QIODevice::WriteOnly));
    for (QChar a : answers)
        MessageBox::setNextAnswer(a == u'Y'   ? MessageBox::Answer::Yes
                                  : a == u'N' ? MessageBox::Answer::No
                                              : MessageBox::Answer::Ok);
    QSignalSpy closedSpy(f.window.get(), &TAForm1::closed);
    unattended ? f.window->closeUnattended() : void(f.window->close());

    QCOMPARE(closedSpy.count(), closed ? 1 : 0);
    QCOMPARE(f.window->isVisible(), !closed);
    QString shown;
    for (const MessageBox::Shown &box : MessageBox::shown())
        shown += box.kind == MessageBox::Kind::Error ? u'E' : box.text.at(0);
    QCOMPARE(shown, boxes);
    QVERIFY(boxes.isEmpty() || MessageBox::shown().last().text.contains(u"changes since the last save will be lost"));
    QVERIFY(blocked || f.read(QStringLiteral("RecDesc.txt")).contains("\r\nRice\r\n"));
}

void TestMainWindow::longNameIsWrittenBackWhole()
{
    DataFiles files;
    const QString name = QString(40000, u'n') + QStringLiteral(" end");
    files.names->replace(9, name);
    MainWindowFixture f(files);
    QVERIFY(f.window->close());
    QCOMPARE(f.read(QStringLiteral("RecDesc.txt")), DataFiles::crlf(*files.names));
}

void TestMainWindow::linesPastTheLastSlotAreKept()
{
    DataFiles files;
    files.records->append(QStringLiteral("an extra record line"));
    files.names->append(QStringLiteral("an extra name"));
    MainWindowFixture f(files);
    QCOMPARE(f.window->records().count(), 101);
    QVERIFY(f.window->close());
    QCOMPARE(f.read(QStringLiteral("InvRecs.txt")), DataFiles::crlf(*files.records));
    QCOMPARE(f.read(QStringLiteral("RecDesc.txt")), DataFiles::crlf(*files.names));
}

void TestMainWindow::damagedRecordsNeitherCrashNorBreakLines()
{
    DataFiles files;
    files.records = QStringList{QStringLiteral("12/01/2026 1"), QString(), QStringLiteral("99/99/9999 1 abc 3"),
                                QStringLiteral("\t\t"), QStringLiteral("12/05/2026 1 010 3 and a long tail")};
    files.names->replace(0, QStringLiteral("Short"));
    MainWindowFixture f(files);
    // The due check stops at the first line it cannot read (line 1 has no cycle), and says so.
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().first().text, QStringLiteral("'' is not a valid integer value"));
    QCOMPARE(f.window->records().count(), 100);

    // Commands on short lines complete them, so every field lands in its column.
    for (int slot : {1, 2, 4}) {
        f.window->Edit1MouseDown(f.edit(slot), Qt::RightButton, {}, 1, 1);
        f.window->AllEditMouseUp(f.edit(slot), Qt::RightButton, {}, 1, 1);
        f.window->action(QStringLiteral("StartTracking1"))->trigger();
    }
    QCOMPARE(f.line(1), QStringLiteral("12/10/2026 2 000 3"));
    QCOMPARE(f.line(2), QStringLiteral("12/10/2026 2 000 3"));
    QCOMPARE(f.line(4), QStringLiteral("12/10/2026 2 000 3"));
    QVERIFY(f.window->close());
    const QList<QByteArray> written = f.read(QStringLiteral("InvRecs.txt")).split('\n');
    QCOMPARE(written.size(), 101);
    QCOMPARE(written.at(2), QByteArray("99/99/9999 1 abc 3\r"));
    QCOMPARE(written.at(4), QByteArray("12/05/2026 1 010 3 and a long tail\r"));
    QCOMPARE(written.at(5), QByteArray("00/00/0000 0 000 3\r"));
}

void TestMainWindow::filesNotReadAtStartAreLeftUnchanged()
{
    DataFiles files;
    files.records.reset();
    files.names = QStringList(100, QStringLiteral("Precious"));
    files.colors = QStringList(100, QStringLiteral("255"));
    MainWindowFixture f(files);
    MessageBox::clearShown();

    QVERIFY(f.window->close());
    // The names and colours were never read, so they must survive; the records file did not
    // exist and is now an empty inventory with every line in its layout.
    QCOMPARE(f.read(QStringLiteral("RecDesc.txt")), DataFiles::crlf(*files.names));
    QCOMPARE(f.read(QStringLiteral("ecol.div")), DataFiles::crlf(*files.colors));
    QCOMPARE(f.read(QStringLiteral("InvRecs.txt")), DataFiles::crlf(QStringList(100, RecordLine::Empty)));
    QCOMPARE(MessageBox::shown().size(), 1);
    QVERIFY(MessageBox::shown().first().text.contains(f.path(QStringLiteral("RecDesc.txt"))));
    QVERIFY(MessageBox::shown().first().text.contains(f.path(QStringLiteral("ecol.div"))));
    QVERIFY(!MessageBox::shown().first().text.contains(f.path(QStringLiteral("InvRecs.txt"))));
}

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
