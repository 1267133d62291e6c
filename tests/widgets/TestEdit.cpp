// SPDX-License-Identifier: GPL-3.0-or-later
// The name field: its colours, its text painted as a line edit shows it, the editor it makes
// when it is used, the order of its mouse events, and names kept on one line.

#include "platform/GdiFont.h"
#include "platform/SystemColors.h"
#include "widgets/TEdit.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

namespace {
QFont fieldFont()
{
    return toQFont(GdiFont{QStringLiteral("Verdana"), -12, FieldColor::Navy, false});
}
} // namespace

class TestEdit : public QObject
{
    Q_OBJECT

private slots:
    void colorsPaintTheField_data();
    void colorsPaintTheField();
    void paintsTheTextAsALineEdit_data();
    void paintsTheTextAsALineEdit();
    void editorTakesOverTheField();
    void mouseEventsInOrder_data();
    void mouseEventsInOrder();
    void lineBreaksBecomeBlanks_data();
    void lineBreaksBecomeBlanks();
    void typedOrPastedControlsBecomeBlanks_data();
    void typedOrPastedControlsBecomeBlanks();
};

void TestEdit::colorsPaintTheField_data()
{
    QTest::addColumn<quint32>("background");
    QTest::addColumn<QColor>("expected");
    // clang-format off
    QTest::newRow("red") << 255u << QColor(255, 0, 0);
    QTest::newRow("cream") << 13565951u << QColor(255, 255, 206);
    QTest::newRow("learning gray") << 8421504u << QColor(128, 128, 128);
    // clang-format on
}

void TestEdit::colorsPaintTheField()
{
    QFETCH(quint32, background);
    QFETCH(QColor, expected);
    TEdit edit;
    edit.resize(121, 16);
    edit.setColors({background, FieldColor::Yellow});
    QCOMPARE(edit.color(), background);
    QCOMPARE(edit.fontColor(), FieldColor::Yellow);
    const QImage image = edit.grab().toImage();
    QCOMPARE(QColor(image.pixel(60, 8)), expected);
    QCOMPARE(QColor(image.pixel(0, 0)), expected);
}

// A field that was never used paints its name pixel for pixel as the line edit it makes later.
void TestEdit::paintsTheTextAsALineEdit_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    // clang-format off
    QTest::newRow("empty") << "" << 121;
    QTest::newRow("short") << "Milk" << 121;
    QTest::newRow("blanks around") << "  Oats  " << 121;
    QTest::newRow("bearings") << "fjord jiffy" << 121;
    QTest::newRow("code page letters") << QString::fromUtf8("Crème brûlée ½ €") << 121;
    QTest::newRow("longer than the field: the end shows") << "Tomatoes, peeled, in tins of 400 g" << 121;
    QTest::newRow("wide letters") << "WWWWWWWWWWWWWWWWW" << 121;
    QTest::newRow("narrow field") << "Bread" << 20;
    QTest::newRow("tab") << "Tea\tbags" << 121;
    // clang-format on
}

void TestEdit::paintsTheTextAsALineEdit()
{
    QFETCH(QString, name);
    QFETCH(int, width);
    const FieldColors colors{FieldColor::Yellow, FieldColor::Navy};
    QLineEdit reference;
    reference.setFrame(false);
    reference.setAutoFillBackground(true);
    reference.setFont(fieldFont());
    reference.resize(width, 16);
    QPalette p = reference.palette();
    p.setColor(QPalette::Base, toQColor(colors.background));
    p.setColor(QPalette::Text, toQColor(colors.font));
    reference.setPalette(p);

    // Every beginning of the name, so that the lengths around a full line are all seen.
    for (qsizetype length = name.isEmpty() ? 0 : 1; length <= name.size(); ++length) {
        const QString shown = name.left(length);
        TEdit painted;
        painted.setFont(fieldFont());
        painted.resize(width, 16);
        painted.setColors(colors);
        painted.setText(shown);
        const QImage fromField = painted.grab().toImage();
        QVERIFY(!painted.editor());
        QAccessibleInterface *told = QAccessible::queryAccessibleInterface(&painted);
        QCOMPARE(told->role(), QAccessible::EditableText);
        QCOMPARE(told->text(QAccessible::Name), shown);
        reference.setText(shown);
        QVERIFY2(fromField == reference.grab().toImage(), qPrintable(shown));

        // The editor the field makes shows the same, and the text moved into it unchanged.
        painted.makeEditor();
        QVERIFY2(painted.grab().toImage() == fromField, qPrintable(shown));
        QCOMPARE(painted.text(), shown);
        QVERIFY(told->text(QAccessible::Name).isEmpty());
    }
}

void TestEdit::editorTakesOverTheField()
{
    QWidget window;
    window.resize(300, 100);
    auto *field = new TEdit(&window);
    field->setGeometry(10, 10, 121, 16);
    field->setText(QStringLiteral("Rice"));
    auto *other = new TEdit(&window);
    other->setGeometry(10, 30, 121, 16);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // Being given the focus makes the editor, which holds the focus, the text and the colours.
    field->setColors({FieldColor::Red, FieldColor::Navy});
    field->setFocus(Qt::OtherFocusReason);
    QVERIFY(field->editor());
    QVERIFY(field->hasFocus());
    QCOMPARE(field->editor()->text(), QStringLiteral("Rice"));
    QCOMPARE(field->editor()->palette().color(QPalette::Base), toQColor(FieldColor::Red));
    QCOMPARE(field->editor()->geometry(), QRect(0, 0, 121, 16));
    QTest::keyClicks(field->editor(), QStringLiteral(" cakes"));
    QCOMPARE(field->text(), QStringLiteral("Rice cakes"));
    field->setText(QStringLiteral("Rye"));
    QCOMPARE(field->editor()->text(), QStringLiteral("Rye"));

    // A press makes the editor of an unused field and puts its cursor where the press was.
    QVERIFY(!other->editor());
    other->setText(QStringLiteral("Salt"));
    QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(3, 8));
    QVERIFY(other->editor());
    QVERIFY(other->hasFocus());
    QCOMPARE(other->editor()->cursorPosition(), 0);
    QTest::keyClicks(other->editor(), QStringLiteral("Sea "));
    QCOMPARE(other->text(), QStringLiteral("Sea Salt"));

    // A double click on an unused field selects the word under it and a triple click all, as in
    // a line edit, though the first press went to the field and the others to the editor. The
    // second press of a double click is reported by no event, as a line edit's double click.
    for (const int clicks : {2, 3}) {
        auto *third = new TEdit(&window);
        third->setGeometry(150, 10 + 20 * clicks, 121, 16);
        third->setText(QStringLiteral("Brown sugar"));
        third->show();
        QStringList seen;
        third->OnMouseDown = [&seen](QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { seen << "down"; };
        third->OnClick = [&seen](QObject *) { seen << "click"; };
        third->OnMouseUp = [&seen](QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { seen << "up"; };
        const QPoint at = third->geometry().topLeft() + QPoint(60, 8);
        for (int click = 0; click < clicks; ++click) {
            QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, at);
            // A release moves the test clock on by a double-click interval; these clicks are quick.
            QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval;
        }
        QVERIFY(third->editor());
        QCOMPARE(third->editor()->selectedText(), clicks == 2 ? QStringLiteral("sugar") : third->text());
        QCOMPARE(seen.join(u' '), clicks == 2 ? "down click up up" : "down click up up down click up");
    }
}

void TestEdit::mouseEventsInOrder_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QString>("events");
    // clang-format off
    QTest::newRow("left") << Qt::LeftButton << "down click up";
    QTest::newRow("right") << Qt::RightButton << "down up";
    QTest::newRow("middle") << Qt::MiddleButton << "down up";
    // clang-format on
}

void TestEdit::mouseEventsInOrder()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(QString, events);
    TEdit edit;
    edit.setObjectName(QStringLiteral("Edit37"));
    edit.resize(121, 16);
    QStringList seen;
    edit.OnMouseDown = [&](QObject *sender, Qt::MouseButton b, Qt::KeyboardModifiers, int, int) {
        QCOMPARE(sender, &edit);
        QCOMPARE(b, button);
        seen << QStringLiteral("down");
    };
    edit.OnClick = [&](QObject *) { seen << QStringLiteral("click"); };
    edit.OnMouseUp = [&](QObject *, Qt::MouseButton b, Qt::KeyboardModifiers, int, int) {
        QCOMPARE(b, button);
        seen << QStringLiteral("up");
    };
    QTest::mouseClick(&edit, button, {}, QPoint(5, 5));
    QCOMPARE(seen.join(QLatin1Char(' ')), events);
}

void TestEdit::lineBreaksBecomeBlanks_data()
{
    QTest::addColumn<QString>("arriving");
    QTest::addColumn<QString>("kept");
    // clang-format off
    QTest::newRow("LF") << "Milk\nfresh" << "Milk fresh";
    QTest::newRow("CR LF") << "Milk\r\nfresh" << "Milk fresh";
    QTest::newRow("CR") << "Milk\rfresh\r" << "Milk fresh ";
    // clang-format on
}

void TestEdit::lineBreaksBecomeBlanks()
{
    QFETCH(QString, arriving);
    QFETCH(QString, kept);
    TEdit edit;
    edit.setText(arriving);
    QCOMPARE(edit.text(), kept);

    TEdit pasted;
    QGuiApplication::clipboard()->setText(arriving);
    pasted.makeEditor()->paste();
    QVERIFY(!pasted.text().contains(QLatin1Char('\n')));
    QVERIFY(!pasted.text().contains(QLatin1Char('\r')));
}

void TestEdit::typedOrPastedControlsBecomeBlanks_data()
{
    QTest::addColumn<QString>("arriving");
    QTest::addColumn<QString>("kept");
    // clang-format off
    QTest::newRow("TAB") << "Milk\twhole" << "Milk whole";
    QTest::newRow("TAB and LF") << "\tMilk\n" << " Milk ";
    QTest::newRow("other control") << QStringLiteral("Milk\x1b[0m") << "Milk [0m";
    // clang-format on
}

void TestEdit::typedOrPastedControlsBecomeBlanks()
{
    QFETCH(QString, arriving);
    QFETCH(QString, kept);
    TEdit typed;
    typed.makeEditor()->insert(arriving);
    QCOMPARE(typed.text(), kept);

    TEdit pasted;
    QGuiApplication::clipboard()->setText(arriving);
    pasted.makeEditor()->paste();
    QCOMPARE(pasted.text(), kept);

    // A name read from the names file is shown as it was stored: only line breaks go.
    TEdit stored;
    stored.setText(QStringLiteral("Milk\twhole"));
    QCOMPARE(stored.text(), QStringLiteral("Milk\twhole"));
}

QTEST_MAIN(TestEdit)
#include "TestEdit.moc"
