// The title-bar buttons, "Close" and the help button.

#include "MainWindowFixture.h"

#include "platform/Shell.h"
#include "widgets/THoverButton.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

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
    void trayButtonHides();
    void helpOpensTheHelpFile();
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
    auto *pin = f.window->findChild<THoverButton *>(QStringLiteral("ButtonOnTop"));
    QCOMPARE(pin->fontColor(), 0x00FFFFFFu);
    press(f.window.get(), "ButtonOnTop");
    QCOMPARE(pin->fontColor(), 0x0000FFFFu);
    QVERIFY(f.window->onTop());
    press(f.window.get(), "ButtonOnTop");
    QCOMPARE(pin->fontColor(), 0x00FFFFFFu);
    QVERIFY(!f.window->onTop());
}

void TestWindowCommands::trayButtonHides()
{
    MainWindowFixture f;
    f.window->show();
    QSignalSpy closed(f.window.get(), &TAForm1::closed);
    press(f.window.get(), "ButtonTray");
    QVERIFY(!f.window->isVisible());
    QCOMPARE(closed.count(), 0);
}

void TestWindowCommands::helpOpensTheHelpFile()
{
    Shell::setTestMode(true);
    MainWindowFixture f;
    f.window->show();
    auto *help = f.window->findChild<QWidget *>(QStringLiteral("SpeedButton17"));
    QCOMPARE(help->geometry(), QRect(834, 33, 14, 26));
    QTest::mouseClick(help, Qt::LeftButton, {}, QPoint(7, 13));
    QCOMPARE(Shell::lastOpened(), QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("Help/Help.hta")));
}

QTEST_MAIN(TestWindowCommands)
#include "TestWindowCommands.moc"
