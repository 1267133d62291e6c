// SPDX-License-Identifier: GPL-3.0-or-later
// The small push button: its edges in each style, the pressed offset, the margin, the parent's
// colour taken over, the default marker, the disabled caption and its clicks.

#include "platform/GdiCanvas.h"
#include "platform/SystemColors.h"
#include "widgets/TZekButton.h"

#include <QEnterEvent>
#include <QtTest>

namespace {
constexpr QRgb White = qRgb(255, 255, 255);
constexpr QRgb Shadow = qRgb(128, 128, 128);
constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb Window = qRgb(231, 223, 173); // 0x00ADDFE7
constexpr ColorValue WindowValue = 0x00ADDFE7;

QRgb px(const QImage &image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000;
}

QImage render(TZekButton &button)
{
    return button.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRect ink(const QImage &image, QRgb colour)
{
    QRect found;
    for (int y = 1; y < image.height() - 1; ++y)
        for (int x = 1; x < image.width() - 1; ++x)
            if (px(image, x, y) == colour)
                found |= QRect(x, y, 1, 1);
    return found;
}

// Light over the left column (to H-2) and the top row (to W-2), dark over the right column
// and the bottom row: the edge of the item rectangle shrunk by `inset` - 1.
void checkEdges(const QImage &image, int inset, QRgb light, QRgb dark)
{
    const int l = inset - 1;
    const int t = inset - 1;
    const int r = image.width() - inset;
    const int b = image.height() - inset;
    for (int y = t; y < b; ++y)
        QCOMPARE(px(image, l, y), light);
    for (int x = l; x < r; ++x)
        QCOMPARE(px(image, x, t), light);
    for (int y = t; y < b; ++y)
        QCOMPARE(px(image, r, y), dark);
    for (int x = l; x <= r; ++x)
        QCOMPARE(px(image, x, b), dark);
}

void enter(TZekButton &button)
{
    QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(&button, &event);
}
} // namespace

class TestZekButton : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void styles_data();
    void styles();
    void pressedMovesCaptionAndSinks_data();
    void pressedMovesCaptionAndSinks();
    void negativeMarginIgnored();
    void parentColourTakenOver();
    void ownColourKeptFromParent();
    void hotColours();
    void defaultMarker();
    void disabledCaption();
    void clicksAndPointer();
    void focusRectangle();

private:
    TZekButton *makeButton(QWidget *parent);
};

TZekButton *TestZekButton::makeButton(QWidget *parent)
{
    auto *button = new TZekButton(parent);
    button->setObjectName(QStringLiteral("ZekButton1"));
    button->setGeometry(10, 10, 45, 16);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCaption(QStringLiteral("Cancel"));
    button->setButtonFont({QStringLiteral("MS Sans Serif"), -11, 0x80000012, false});
    button->parentColorChanged(WindowValue);
    return button;
}

void TestZekButton::defaults()
{
    TZekButton button;
    QCOMPARE(button.alignment(), Qt::AlignHCenter);
    QCOMPARE(button.color(), ColorValue(0x8000000F));
    QCOMPARE(button.hotColor(), ColorValue(0x8000000F));
    QCOMPARE(button.hotTextColor(), button.fontColor());
    QCOMPARE(button.zekStyle(), TZekButton::zbsNormal);
    QCOMPARE(button.margin(), 2);
    QVERIFY(button.parentColor());
    QVERIFY(!button.showDefaultMarker());
    QVERIFY(button.showFocus());
    QVERIFY(button.wordWrap());
}

void TestZekButton::styles_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("hot");
    QTest::addColumn<int>("inset");
    QTest::addColumn<QRgb>("light");
    QTest::addColumn<QRgb>("dark");
    QTest::newRow("normal") << int(TZekButton::zbsNormal) << false << 1 << White << Shadow;
    QTest::newRow("framed") << int(TZekButton::zbsFramed) << false << 1 << White << Shadow;
    QTest::newRow("flat: no visible edge") << int(TZekButton::zbsFlat) << false << 1 << Window << Window;
    QTest::newRow("flat, hot") << int(TZekButton::zbsFlat) << true << 1 << White << Shadow;
    QTest::newRow("corel") << int(TZekButton::zbsCorel) << false << 1 << White << Shadow;
    QTest::newRow("corel, hot: one more pixel in") << int(TZekButton::zbsCorel) << true << 2 << White << Shadow;
}

void TestZekButton::styles()
{
    QFETCH(int, style);
    QFETCH(bool, hot);
    QFETCH(int, inset);
    QFETCH(QRgb, light);
    QFETCH(QRgb, dark);
    QWidget parent;
    TZekButton *button = makeButton(&parent);
    button->setZekStyle(TZekButton::ZekStyle(style));
    if (hot)
        enter(*button);
    QCOMPARE(button->isHot(), hot);
    const QImage image = render(*button);
    checkEdges(image, inset, light, dark);
    QCOMPARE(px(image, inset, inset), Window);
    if (inset == 2) {
        // The window-frame colour round the whole item rectangle.
        for (int x = 0; x < 45; ++x) {
            QCOMPARE(px(image, x, 0), Black);
            QCOMPARE(px(image, x, 15), Black);
        }
        QCOMPARE(px(image, 0, 8), Black);
        QCOMPARE(px(image, 44, 8), Black);
    }
}

void TestZekButton::pressedMovesCaptionAndSinks_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QRgb>("light");
    QTest::addColumn<QRgb>("dark");
    QTest::newRow("normal: sunken") << int(TZekButton::zbsNormal) << Shadow << White;
    QTest::newRow("framed: no edge") << int(TZekButton::zbsFramed) << Window << Window;
}

void TestZekButton::pressedMovesCaptionAndSinks()
{
    QFETCH(int, style);
    QFETCH(QRgb, light);
    QFETCH(QRgb, dark);
    QWidget parent;
    TZekButton *button = makeButton(&parent);
    button->setZekStyle(TZekButton::ZekStyle(style));
    const QImage up = render(*button);
    button->setDown(true);
    const QImage down = render(*button);
    checkEdges(down, 1, light, dark);
    const QRect before = ink(up, Black);
    QVERIFY(!before.isEmpty());
    QCOMPARE(ink(down, Black), before.translated(1, 1));
}

void TestZekButton::negativeMarginIgnored()
{
    QWidget parent;
    TZekButton *button = makeButton(&parent);
    button->resize(80, 16);
    button->setAlignment(Qt::AlignLeft);
    button->setMargin(-1);
    QCOMPARE(button->margin(), 2);
    const QRect atTwo = ink(render(*button), Black);
    button->setMargin(6);
    QCOMPARE(button->margin(), 6);
    const QRect atSix = ink(render(*button), Black);
    QCOMPARE(atSix, atTwo.translated(4, 0));
    button->setMargin(-5);
    QCOMPARE(button->margin(), 6);
    button->setMargin(0);
    QCOMPARE(button->margin(), 0);
    // Text rectangle starts at margin + 1.
    const QRect atZero = ink(render(*button), Black);
    QCOMPARE(atZero, atTwo.translated(-2, 0));
    QVERIFY(atZero.left() >= 1);
}

void TestZekButton::parentColourTakenOver()
{
    QWidget window;
    window.setPalette(QColor(0, 0, 255));
    auto *button = new TZekButton(&window);
    button->setGeometry(0, 0, 45, 16);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFontColor(0x000000FF);
    button->setCaption(QStringLiteral("Cancel"));
    QVERIFY(button->parentColor());
    window.setPalette(QColor(Window));
    QCOMPARE(button->color(), WindowValue);
    QCOMPARE(button->hotColor(), WindowValue);
    QCOMPARE(button->fontColor(), ColorValue(0x80000012));
    QCOMPARE(button->hotTextColor(), ColorValue(0x80000012));
    QVERIFY(button->parentColor());
    const QImage image = render(*button);
    QCOMPARE(px(image, 2, 2), Window);
    QVERIFY(!ink(image, Black).isEmpty());
    QVERIFY(ink(image, qRgb(255, 0, 0)).isEmpty());
    // A colour reported by the parent itself.
    button->parentColorChanged(0x000000FF);
    QCOMPARE(button->color(), ColorValue(0x000000FF));
    QCOMPARE(px(render(*button), 2, 2), qRgb(255, 0, 0));
}

void TestZekButton::ownColourKeptFromParent()
{
    QWidget window;
    auto *button = new TZekButton(&window);
    button->setColor(0x0000FF00);
    QVERIFY(!button->parentColor());
    window.setPalette(QColor(Window));
    QCOMPARE(button->color(), ColorValue(0x0000FF00));
    button->setParentColor(true);
    QCOMPARE(button->color(), WindowValue);
}

void TestZekButton::hotColours()
{
    QWidget parent;
    TZekButton *button = makeButton(&parent);
    button->setHotColor(0x0000FFFF);
    button->setHotTextColor(0x000000FF);
    QVERIFY(!button->parentColor());
    QCOMPARE(px(render(*button), 3, 3), Window);
    enter(*button);
    const QImage hot = render(*button);
    QCOMPARE(px(hot, 3, 3), qRgb(255, 255, 0));
    QVERIFY(!ink(hot, qRgb(255, 0, 0)).isEmpty());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(button, &leave);
    QVERIFY(!button->isHot());
    QCOMPARE(px(render(*button), 3, 3), Window);
}

// With the marker shown and the button the default one, a filled right triangle in the text
// colour sits in the lower right corner of R.
void TestZekButton::defaultMarker()
{
    QWidget parent;
    TZekButton *button = makeButton(&parent);
    button->setCaption(QString());
    button->setHotTextColor(0x000000FF);
    button->setShowDefaultMarker(true);
    QCOMPARE(px(render(*button), 42, 13), Window);
    button->setDefault(true);
    const QImage image = render(*button);
    // R is (1, 1)-(44, 15): corners (38, 14), (43, 9) and (43, 14).
    const QRgb red = qRgb(255, 0, 0);
    QCOMPARE(px(image, 43, 14), red);
    QCOMPARE(px(image, 38, 14), red);
    QCOMPARE(px(image, 43, 9), red);
    QCOMPARE(px(image, 41, 13), red);
    QCOMPARE(px(image, 38, 9), Window);
    button->setZekStyle(TZekButton::zbsCorel);
    QVERIFY(ink(render(*button), red).isEmpty());
}

void TestZekButton::disabledCaption()
{
    QWidget parent;
    TZekButton *button = makeButton(&parent);
    const QRect enabled = ink(render(*button), Black);
    button->setEnabled(false);
    const QImage image = render(*button);
    QVERIFY(ink(image, Black).isEmpty());
    QCOMPARE(ink(image, Shadow), enabled);
    const QRect highlight = ink(image, White);
    QVERIFY(!highlight.isEmpty());
    QCOMPARE(highlight.bottomRight(), enabled.bottomRight() + QPoint(1, 1));
}

void TestZekButton::clicksAndPointer()
{
    QWidget parent;
    TZekButton *button = makeButton(&parent);
    QStringList log;
    button->OnClick = [&](QObject *sender) { log << QStringLiteral("click ") + sender->objectName(); };
    button->OnMouseEnter = [&](QObject *) { log << QStringLiteral("enter"); };
    button->OnMouseExit = [&](QObject *) { log << QStringLiteral("exit"); };
    enter(*button);
    enter(*button); // already hot: nothing more
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(button, &leave);
    QCOMPARE(log, (QStringList{QStringLiteral("enter"), QStringLiteral("click ZekButton1"), QStringLiteral("exit")}));
    log.clear();
    // A double click arrives as press, release, double-click press, release.
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(log, (QStringList{QStringLiteral("click ZekButton1"), QStringLiteral("click ZekButton1")}));
}

// The dotted rectangle from (R.left + 3, R.top + 3) to (R.right - 3, R.bottom - 3), every other
// pixel inverted from the face colour.
void TestZekButton::focusRectangle()
{
    QWidget window;
    window.resize(100, 60);
    TZekButton *button = makeButton(&window);
    button->setCaption(QString());
    button->setFocusPolicy(Qt::StrongFocus);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    button->setFocus();
    QVERIFY(button->hasFocus());
    const QImage image = render(*button);
    const QRgb inverted = qRgb(255 - 231, 255 - 223, 255 - 173);
    // R is (1, 1)-(44, 15): the focus rectangle covers x 4 to 40 and y 4 to 11.
    QCOMPARE(px(image, 4, 4), inverted);
    QCOMPARE(px(image, 5, 4), Window);
    QCOMPARE(px(image, 6, 4), inverted);
    QCOMPARE(px(image, 4, 6), inverted);
    QCOMPARE(px(image, 40, 4), inverted);
    QCOMPARE(px(image, 40, 10), inverted);
    QCOMPARE(px(image, 3, 4), Window);
    QCOMPARE(px(image, 4, 12), Window);
    QCOMPARE(px(image, 41, 4), Window);
    QCOMPARE(px(image, 20, 8), Window);
    button->setShowFocus(false);
    QCOMPARE(px(render(*button), 4, 4), Window);
}

QTEST_MAIN(TestZekButton)
#include "TestZekButton.moc"
