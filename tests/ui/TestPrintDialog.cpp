// SPDX-License-Identifier: GPL-3.0-or-later
// The print dialog on a main window with an injected inventory: which names it lists, the
// warning when none is red, the page side, its layout, and printing through the report engine
// with the printer service answered by the test.

#include "MainWindowFixture.h"

#include "platform/FileDialog.h"
#include "platform/PrintService.h"
#include "report/TAlLabel.h"
#include "report/TAlReport.h"
#include "report/TAlShape.h"
#include "ui/print/TForm2.h"
#include "widgets/THoverButton.h"

#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {
const QString Blank = QStringLiteral("_________");

struct Setup
{
    explicit Setup(bool trayAvailable = true)
        : fixture({}, QDate(2026, 12, 10), trayAvailable)
    {}
    MainWindowFixture fixture;
    TForm2 dialog{fixture.window.get()};

    // Names the slots and colours them: the slot's colours are the state given.
    void set(int slot, const QString &name, FieldColors colors = FieldState::Due)
    {
        fixture.edit(slot)->setText(name);
        fixture.edit(slot)->setColors(colors);
    }
    // The check list as the dialog shows it: each entry's caption, in brackets when the entry
    // has no tick box.
    QStringList entries() const
    {
        QStringList list;
        for (int k = 1; k <= TForm2::Entries; ++k) {
            const QString caption = dialog.label(k)->caption();
            list << (dialog.tickBox(k)->printable() ? caption : '(' + caption + ')');
        }
        return list;
    }
    void click(const char *name) { dialog.findChild<THoverButton *>(name)->OnClick(nullptr); }
};

QStringList expectedList(const QStringList &names, int blanks)
{
    QStringList list = names;
    list += QStringList(blanks, Blank);
    list += QStringList(TForm2::Entries - list.size(), QStringLiteral("()"));
    return list;
}
} // namespace

class TestPrintDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void fillListsRedNamesWithBlankRows_data();
    void fillListsRedNamesWithBlankRows();
    void onlyNamedRedFieldsInSlotOrder();
    void warningOncePerShowing();
    void marginFollowsPageSide_data();
    void marginFollowsPageSide();
    void layout_data();
    void layout();
    void settings();
    void printOutcome_data();
    void printOutcome();
    void mainWindowStepsAside_data();
    void mainWindowStepsAside();

private:
    std::optional<TestSeams> m_seams;
};

void TestPrintDialog::init()
{
    m_seams.emplace();
}

void TestPrintDialog::cleanup()
{
    m_seams.reset();
}

void TestPrintDialog::fillListsRedNamesWithBlankRows_data()
{
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("blanks");
    QTest::newRow("none") << 0 << 10;
    QTest::newRow("one") << 1 << 10;
    QTest::newRow("a column") << 25 << 10;
    QTest::newRow("95") << 95 << 5;
    QTest::newRow("all") << 100 << 0;
}

void TestPrintDialog::fillListsRedNamesWithBlankRows()
{
    QFETCH(int, red);
    QFETCH(int, blanks);
    Setup s;
    QStringList names;
    for (int slot = 1; slot <= red; ++slot)
        s.set(slot, names.emplace_back(QStringLiteral("Item %1").arg(slot)));
    s.dialog.FormActivate();
    QCOMPARE(s.entries(), expectedList(names, blanks));
    QCOMPARE(MessageBox::shown().size(), red == 0 ? 1 : 0);
    QVERIFY(PrintService::jobs().isEmpty());
}

void TestPrintDialog::onlyNamedRedFieldsInSlotOrder()
{
    Setup s;
    s.set(50, QStringLiteral("Apples"));
    s.set(7, QStringLiteral(" Brown  bread "));
    s.set(3, QStringLiteral("Milk"));
    s.set(12, QString());
    s.set(8, QStringLiteral("Butter"), FieldState::Prewarn);
    s.set(9, QStringLiteral("Jam"), FieldState::Bought);
    s.set(10, QStringLiteral("Tea"), {FieldColor::Red, FieldColor::Navy});
    s.set(11, QStringLiteral("Salt"), {0x000000FE, FieldColor::Yellow});
    s.dialog.FormActivate();
    QCOMPARE(s.entries(), expectedList({"Milk", " Brown  bread ", "Tea", "Apples"}, 10));
}

void TestPrintDialog::warningOncePerShowing()
{
    Setup s;
    s.dialog.show();
    const auto activate = [&s] {
        QEvent event(QEvent::WindowActivate);
        QApplication::sendEvent(&s.dialog, &event);
    };
    activate();
    activate(); // closing the warning activates the dialog again
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().at(0).text, QStringLiteral("No red highlighted message to print."));
    const QRect desktop = Pointer::desktop();
    QCOMPARE(Pointer::lastPlacement(), QPoint(desktop.width() / 2 + 10, desktop.height() / 2 + 35));
    s.click("PrintButton"); // a real click always warns
    QCOMPARE(MessageBox::shown().size(), 2);
    QVERIFY(s.dialog.isVisible());
    s.dialog.hide();
    s.dialog.show();
    activate();
    QCOMPARE(MessageBox::shown().size(), 3);
}

void TestPrintDialog::marginFollowsPageSide_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<int>("margin");
    QTest::newRow("left") << "RadioButton1" << 0;
    QTest::newRow("right") << "RadioButton2" << 103;
}

void TestPrintDialog::marginFollowsPageSide()
{
    QFETCH(QString, radio);
    QFETCH(int, margin);
    Setup s;
    s.set(1, QStringLiteral("Milk"));
    s.dialog.report()->setLeftMarginMM(50);
    s.dialog.findChild<QRadioButton *>(radio)->setChecked(true);
    s.dialog.FormActivate();
    QCOMPARE(s.dialog.report()->leftMarginMM(), margin);
    s.dialog.show();
    s.dialog.hide();
    QVERIFY(s.dialog.findChild<QRadioButton *>(radio)->isChecked());
}

void TestPrintDialog::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    // Labels size themselves to their text: only their place is fixed.
    for (const auto &[k, box, label] : {std::tuple{1, QPoint(25, 17), QPoint(44, 16)},
                                        {25, {25, 449}, {44, 448}},
                                        {26, {129, 17}, {148, 16}},
                                        {50, {129, 449}, {148, 446}},
                                        {100, {337, 449}, {356, 446}}}) {
        QTest::addRow("tick box %d", k) << QStringLiteral("AlShape%1").arg(k) << QRect(box, QSize(14, 14)) << "";
        QTest::addRow("label %d", k) << QStringLiteral("AlLabel%1").arg(k) << QRect(label, QSize()) << "";
    }
    QTest::newRow("band") << "tAlBand1" << QRect(0, 0, 813, 475) << "";
    QTest::newRow("Print") << "PrintButton" << QRect(124, 482, 86, 22) << "Print";
    QTest::newRow("Close") << "CloseButton1" << QRect(214, 482, 86, 22) << "Close";
    QTest::newRow("left half") << "BrixLine1" << QRect(375, 485, 16, 16) << "";
    QTest::newRow("right half") << "BrixLine2" << QRect(390, 485, 16, 16) << "";
    QTest::newRow("left side") << "RadioButton1" << QRect(376, 487, 13, 13) << "";
    QTest::newRow("right side") << "RadioButton2" << QRect(391, 487, 13, 13) << "";
}

void TestPrintDialog::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    Setup s;
    auto *w = s.dialog.findChild<QWidget *>(name);
    QVERIFY(w);
    QCOMPARE(geometry.isEmpty() ? QRect(w->pos(), QSize()) : w->geometry(), geometry);
    if (auto *button = qobject_cast<THoverButton *>(w))
        QCOMPARE(button->caption(), caption);
}

void TestPrintDialog::settings()
{
    Setup s;
    const QList<QWidget *> boxes = s.dialog.tickBox(1)->parentWidget()->findChildren<QWidget *>();
    // Labels are created before tick boxes, so on paper the boxes lie over long names.
    QCOMPARE(boxes.indexOf(s.dialog.label(100)) + 1, boxes.indexOf(s.dialog.tickBox(1)));
    QCOMPARE(s.dialog.tickBox(1)->pen().width, 4);
    QCOMPARE(s.dialog.report()->papersize(), alr_Letter);
    auto *left = s.dialog.findChild<QRadioButton *>("RadioButton1");
    QVERIFY(left->isChecked());
    QCOMPARE(left->nextInFocusChain(), s.dialog.findChild<QRadioButton *>("RadioButton2"));
    // "Page side:" at 321, 485, or further left where the installed face is wider.
    const QLabel *pageSide = s.dialog.findChild<QLabel *>("Label1");
    QCOMPARE(pageSide->text(), QStringLiteral("Page side:"));
    QVERIFY(pageSide->x() <= 321 && pageSide->geometry().right() < 375);
    QCOMPARE(pageSide->y(), 485);
}

void TestPrintDialog::printOutcome_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<bool>("save");
    QTest::newRow("printed") << "" << false;
    QTest::newRow("no printer, saved") << "No printer is installed." << true;
    QTest::newRow("refused, not saved") << "The printer did not take the job: not accepting jobs" << false;
}

void TestPrintDialog::printOutcome()
{
    QFETCH(QString, problem);
    QFETCH(bool, save);
    Setup s;
    s.set(4, QStringLiteral("Milk"));
    PrintService::setNextError(problem);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("list.pdf"));
    MessageBox::setNextAnswer(save ? MessageBox::Answer::Yes : MessageBox::Answer::Ok);
    FileDialog::setNextAnswer(path);
    s.fixture.window->hide();
    s.dialog.show();
    s.click("PrintButton");

    QCOMPARE(PrintService::jobs().size(), 1);
    QCOMPARE(PrintService::jobs().at(0).title, QStringLiteral("Inventory"));
    QVERIFY(PrintService::jobs().at(0).pdf.startsWith("%PDF"));
    // A failure is not reported as done: the dialog stays and says why; the main window waits.
    QCOMPARE(s.dialog.isVisible(), !problem.isEmpty());
    QCOMPARE(s.fixture.window->isVisible(), problem.isEmpty());
    QCOMPARE(MessageBox::shown().size(), problem.isEmpty() ? 0 : 1);
    if (!problem.isEmpty())
        QVERIFY(MessageBox::shown().at(0).text.endsWith(problem));
    QCOMPARE(FileDialog::lastProposal().has_value(), save);
    if (save) {
        QVERIFY(FileDialog::lastProposal()->endsWith(QStringLiteral("/Inventory.pdf")));
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        // The same page as the job: the same engine, the same paper.
        QCOMPARE(pdf.size(), PrintService::jobs().at(0).pdf.size());
    }
    QCOMPARE(QFile::exists(path), save);
}

void TestPrintDialog::mainWindowStepsAside_data()
{
    QTest::addColumn<bool>("trayAvailable");
    QTest::newRow("notification area") << true;
    QTest::newRow("none") << false;
}

void TestPrintDialog::mainWindowStepsAside()
{
    QFETCH(bool, trayAvailable);
    Setup s(trayAvailable);
    s.set(4, QStringLiteral("Milk"));
    s.fixture.window->setPrintDialog(&s.dialog);
    s.fixture.window->show();
    bool hiddenWhileShown = false;
    QTimer::singleShot(0, &s.dialog, [&s, &hiddenWhileShown] {
        hiddenWhileShown = s.dialog.isVisible() && !s.fixture.window->isVisible();
        s.dialog.close(); // the frame's close box
    });
    s.fixture.window->HoverButton104Click(nullptr);
    QVERIFY(hiddenWhileShown);
    // Without a notification area nothing else could bring the window back.
    QCOMPARE(s.fixture.window->isVisible(), !trayAvailable);

    QTimer::singleShot(0, &s.dialog, [&s] { s.click("CloseButton1"); });
    s.fixture.window->HoverButton104Click(nullptr);
    QVERIFY(s.fixture.window->isVisible());
    QVERIFY(PrintService::jobs().isEmpty());
}

QTEST_MAIN(TestPrintDialog)
#include "TestPrintDialog.moc"
