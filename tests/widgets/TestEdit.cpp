// The name field: its colours, the order of its mouse events, and names kept on one line.

#include "platform/SystemColors.h"
#include "widgets/TEdit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

class TestEdit : public QObject
{
    Q_OBJECT

private slots:
    void colorsPaintTheField_data();
    void colorsPaintTheField();
    void mouseEventsInOrder_data();
    void mouseEventsInOrder();
    void lineBreaksBecomeBlanks_data();
    void lineBreaksBecomeBlanks();
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
    QCOMPARE(edit.palette().color(QPalette::Text), QColor(255, 255, 0));
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
    pasted.paste();
    QVERIFY(!pasted.text().contains(QLatin1Char('\n')));
    QVERIFY(!pasted.text().contains(QLatin1Char('\r')));
}

QTEST_MAIN(TestEdit)
#include "TestEdit.moc"
