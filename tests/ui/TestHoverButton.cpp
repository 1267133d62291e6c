// SPDX-License-Identifier: GPL-3.0-or-later
// The hover button's looks, read back from the screen at exact coordinates, and its event
// rules: left button only, its own Enabled flag, click before mouse-up, no redraw for the
// hover and pressed colours.

#include "platform/GdiCanvas.h"
#include "platform/SystemColors.h"
#include "ui/look/HoverButtonStyles.h"
#include "widgets/THoverButton.h"

#include <QAccessible>
#include <QCursor>
#include <QPainter>
#include <QScreen>
#include <QtTest>

namespace {
constexpr QRgb Light = qRgb(248, 244, 237);
constexpr QRgb Dark = qRgb(79, 79, 79);
constexpr QRgb Navy = qRgb(0, 0, 128);
constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb ButtonFace = qRgb(212, 208, 200);
constexpr QRgb PurchaseOver = qRgb(255, 178, 66);
constexpr QRgb Gold = qRgb(216, 190, 10);

QRgb rgb(ColorValue value)
{
    return toQColor(value).rgb();
}

// Which pixels differ from the fill colour inside the frame.
QRect contentBox(const QImage &image, QRgb fill)
{
    QRect box;
    for (int y = 1; y < image.height() - 1; ++y)
        for (int x = 1; x < image.width() - 1; ++x)
            if ((image.pixel(x, y) | 0xFF000000) != fill)
                box |= QRect(x, y, 1, 1);
    return box;
}

bool hasPixel(const QImage &image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) | 0xFF000000) == colour)
                return true;
    return false;
}
} // namespace

class TestHoverButton : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void defaults();
    void captionDefaultsToName();
    void normalLookMatchesItsDrawing();
    void hoverEdge_data();
    void hoverEdge();
    void pressedEdge_data();
    void pressedEdge();
    void pressedCaptionMovesOnePixel();
    void clickOrderAndLooks();
    void doubleClickClicksOnce();
    void repaintWhileHoveredDrawsNormalLook();
    void pressAfterRepaintKeepsFontColour();
    void disabledShowsNoLooksAndRaisesNoEvents();
    void rightButtonChangesNothing();
    void releaseOffTheButtonGivesNoClick();
    void hoverColoursDoNotRedraw();
    void colorRedrawsNormalLook();
    void glyphIsDrawnThroughItsMask();
    void styleTable();

private:
    THoverButton *makeButton(HoverButtonStyle style, const QString &name, QPoint pos);
    QImage screen(const THoverButton *button) const;
    void hover(THoverButton *button);
    void leave(THoverButton *button);
    void setCursorOver(THoverButton *button, QPoint pos);

    QWidget *m_window = nullptr;
    QStringList m_log;
};

void TestHoverButton::init()
{
    m_window = new QWidget;
    m_window->setObjectName(QStringLiteral("AForm1"));
    m_window->resize(300, 120);
    m_window->setAutoFillBackground(true);
    m_window->setPalette(QColor(231, 223, 173));
    m_log.clear();
    // Each test starts with the pointer away from its window.
    QCursor::setPos(700, 500);
}

void TestHoverButton::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

THoverButton *TestHoverButton::makeButton(HoverButtonStyle style, const QString &name, QPoint pos)
{
    QCursor::setPos(700, 500);
    QCoreApplication::processEvents();
    auto *button = new THoverButton(m_window, name);
    applyStyle(button, style);
    button->move(pos);
    button->OnClick = [this](QObject *sender) { m_log << QStringLiteral("click ") + sender->objectName(); };
    button->OnMouseDown = [this](QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
        m_log << QStringLiteral("down %1,%2").arg(x).arg(y);
    };
    button->OnMouseUp = [this](QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
        m_log << QStringLiteral("up %1,%2").arg(x).arg(y);
    };
    if (!m_window->isVisible()) {
        m_window->show();
        if (!QTest::qWaitForWindowExposed(m_window))
            qWarning("window not exposed");
    }
    button->show();
    QCoreApplication::processEvents();
    return button;
}

// What the screen shows of the button: the window's surface, not a fresh rendering.
QImage TestHoverButton::screen(const THoverButton *button) const
{
    const QPoint at = button->mapTo(m_window, QPoint(0, 0));
    return m_window->screen()
        ->grabWindow(m_window->winId(), at.x(), at.y(), button->width(), button->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

void TestHoverButton::setCursorOver(THoverButton *button, QPoint pos)
{
    QCursor::setPos(button->mapToGlobal(pos));
}

void TestHoverButton::hover(THoverButton *button)
{
    setCursorOver(button, QPoint(2, 2));
    QTest::mouseMove(button, QPoint(2, 2));
    QCoreApplication::processEvents();
}

void TestHoverButton::leave(THoverButton *button)
{
    setCursorOver(button, QPoint(-20, -5));
    QTest::mouseMove(m_window, button->mapTo(m_window, QPoint(-20, -5)));
    QCoreApplication::processEvents();
}

void TestHoverButton::defaults()
{
    THoverButton button;
    QCOMPARE(button.size(), QSize(86, 22));
    QCOMPARE(button.color(), ColorValue(0x8000000F));
    QCOMPARE(button.colorBorder(), ColorValue(0x00828F99));
    QCOMPARE(button.colorOver(), ColorValue(0x000ABED8));
    QCOMPARE(button.colorDown(), ColorValue(0x000ABED8));
    QCOMPARE(button.colorOverCaption(), ColorValue(0));
    QVERIFY(button.buttonEnabled());
    QVERIFY(button.showCaption());
    QCOMPARE(button.buttonFont().name, QStringLiteral("Arial"));
    QCOMPARE(button.fontColor(), ColorValue(0));
    QVERIFY(button.glyph().isNull());
    QCOMPARE(button.focusPolicy(), Qt::NoFocus);
}

void TestHoverButton::captionDefaultsToName()
{
    THoverButton named(nullptr, QStringLiteral("HoverButton5"));
    QCOMPARE(named.caption(), QStringLiteral("HoverButton5"));
    named.setCaption(QStringLiteral("P"));
    named.setObjectName(QStringLiteral("HoverButton6"));
    QCOMPARE(named.caption(), QStringLiteral("P"));
    // Assistive technology is told a button named by its caption.
    QAccessibleInterface *told = QAccessible::queryAccessibleInterface(&named);
    QCOMPARE(told->role(), QAccessible::Button);
    QCOMPARE(told->text(QAccessible::Name), QStringLiteral("P"));
    THoverButton later;
    later.setObjectName(QStringLiteral("ButtonX"));
    QCOMPARE(later.caption(), QStringLiteral("ButtonX"));
}

// The normal look is the face filled inside the frame, the caption centred by halving
// (toward zero) and the one-pixel border; drawn here independently as the reference.
void TestHoverButton::normalLookMatchesItsDrawing()
{
    for (const auto &[style, caption] : {std::pair{HoverButtonStyle::Purchase, QStringLiteral("P")},
                                         std::pair{HoverButtonStyle::ReCheck, QStringLiteral("ReCheck")},
                                         std::pair{HoverButtonStyle::TitleX, QString(QChar(0xD7))}}) {
        auto *button = makeButton(style, QStringLiteral("HoverButton1"), {10, 10});
        button->setCaption(caption);
        QCoreApplication::processEvents();
        const int w = button->width();
        const int h = button->height();
        QImage expected(w, h, QImage::Format_RGB32);
        {
            QPainter painter(&expected);
            GdiCanvas canvas(painter);
            canvas.setFont(button->buttonFont());
            canvas.fillRect(gdiRect(1, 1, w - 1, h - 1), button->color());
            canvas.setBrushStyle(BrushStyle::Clear);
            const int tw = canvas.textWidth(caption);
            const int th = canvas.textHeight(caption);
            canvas.textOut(w / 2 - tw / 2, h / 2 - th / 2, caption);
            canvas.frameRect(gdiRect(0, 0, w, h), button->colorBorder());
        }
        const QImage shown = screen(button);
        QCOMPARE(shown, expected);
        QVERIFY(hasPixel(shown, rgb(button->fontColor())));
        delete button;
    }
}

void TestHoverButton::hoverEdge_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QRgb>("face");
    QTest::newRow("purchase 22x15") << int(HoverButtonStyle::Purchase) << PurchaseOver;
    QTest::newRow("recheck 86x22") << int(HoverButtonStyle::ReCheck) << Gold;
}

// Light over the left (rows 0 to H-2) and top (columns 0 to W-2), dark over the right
// column and the bottom row.
void TestHoverButton::hoverEdge()
{
    QFETCH(int, style);
    QFETCH(QRgb, face);
    auto *button = makeButton(HoverButtonStyle(style), QStringLiteral("HoverButton1"), {10, 10});
    button->setCaption(QString());
    hover(button);
    const QImage shown = screen(button);
    const int w = button->width();
    const int h = button->height();
    for (int y = 0; y <= h - 2; ++y)
        QCOMPARE(shown.pixel(0, y) | 0xFF000000, Light);
    for (int x = 0; x <= w - 2; ++x)
        QCOMPARE(shown.pixel(x, 0) | 0xFF000000, Light);
    for (int y = 0; y < h; ++y)
        QCOMPARE(shown.pixel(w - 1, y) | 0xFF000000, Dark);
    for (int x = 0; x < w; ++x)
        QCOMPARE(shown.pixel(x, h - 1) | 0xFF000000, Dark);
    QCOMPARE(shown.pixel(1, 1) | 0xFF000000, face);
    QCOMPARE(shown.pixel(w - 2, h - 2) | 0xFF000000, face);
}

void TestHoverButton::pressedEdge_data()
{
    hoverEdge_data();
}

void TestHoverButton::pressedEdge()
{
    QFETCH(int, style);
    auto *button = makeButton(HoverButtonStyle(style), QStringLiteral("HoverButton1"), {10, 10});
    button->setCaption(QString());
    hover(button);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(3, 4));
    const QImage shown = screen(button);
    const int w = button->width();
    const int h = button->height();
    for (int y = 0; y <= h - 2; ++y)
        QCOMPARE(shown.pixel(0, y) | 0xFF000000, Dark);
    for (int x = 0; x <= w - 2; ++x)
        QCOMPARE(shown.pixel(x, 0) | 0xFF000000, Dark);
    for (int y = 0; y < h; ++y)
        QCOMPARE(shown.pixel(w - 1, y) | 0xFF000000, Light);
    for (int x = 0; x < w; ++x)
        QCOMPARE(shown.pixel(x, h - 1) | 0xFF000000, Light);
    QCOMPARE(shown.pixel(1, 1) | 0xFF000000, rgb(button->colorDown()));
    QCOMPARE(m_log, QStringList{QStringLiteral("down 3,4")});
}

void TestHoverButton::pressedCaptionMovesOnePixel()
{
    for (const auto style : {HoverButtonStyle::Purchase, HoverButtonStyle::ReCheck}) {
        auto *button = makeButton(style, QStringLiteral("HoverButton1"), {10, 10});
        button->setCaption(QStringLiteral("P"));
        // Same fill for both looks, so that only the caption differs from it.
        button->setColorDown(button->colorOver());
        hover(button);
        const QImage hovered = screen(button);
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(3, 4));
        const QImage pressed = screen(button);
        const QRgb fill = rgb(button->colorOver());
        const QRect before = contentBox(hovered, fill);
        const QRect after = contentBox(pressed, fill);
        QVERIFY(!before.isEmpty());
        QCOMPARE(after, before.translated(1, 1));
        for (int y = before.top(); y <= before.bottom(); ++y)
            for (int x = before.left(); x <= before.right(); ++x)
                QCOMPARE(pressed.pixel(x + 1, y + 1), hovered.pixel(x, y));
        // The caption is drawn in the hover caption colour both times.
        QVERIFY(hasPixel(pressed, rgb(button->colorOverCaption())));
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(3, 4));
        delete button;
    }
}

void TestHoverButton::clickOrderAndLooks()
{
    auto *button = makeButton(HoverButtonStyle::Purchase, QStringLiteral("HoverButton17"), {10, 10});
    button->setCaption(QStringLiteral("P"));
    QList<QRgb> looksAtClick;
    button->OnClick = [&](QObject *sender) {
        m_log << QStringLiteral("click ") + sender->objectName();
        looksAtClick << (screen(button).pixel(0, 0) | 0xFF000000);
    };
    hover(button);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 6));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 6));
    QCOMPARE(m_log, (QStringList{QStringLiteral("down 5,6"), QStringLiteral("click HoverButton17"),
                                 QStringLiteral("up 5,6")}));
    // The normal look is on screen when the click handler runs, the hover look afterwards.
    QCOMPARE(looksAtClick, QList<QRgb>{Navy});
    const QImage after = screen(button);
    QCOMPARE(after.pixel(0, 0) | 0xFF000000, Light);
    QCOMPARE(after.pixel(1, 1) | 0xFF000000, PurchaseOver);
}

// The second press of a double click is a mouse-down that arms no click.
void TestHoverButton::doubleClickClicksOnce()
{
    auto *button = makeButton(HoverButtonStyle::Purchase, QStringLiteral("HoverButton3"), {10, 10});
    hover(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(m_log, (QStringList{QStringLiteral("down 4,4"), QStringLiteral("click HoverButton3"),
                                 QStringLiteral("up 4,4"), QStringLiteral("down 4,4"), QStringLiteral("up 4,4")}));
}

void TestHoverButton::repaintWhileHoveredDrawsNormalLook()
{
    auto *button = makeButton(HoverButtonStyle::Purchase, QStringLiteral("HoverButton1"), {10, 10});
    hover(button);
    QCOMPARE(screen(button).pixel(1, 1) | 0xFF000000, PurchaseOver);
    button->repaint();
    QImage shown = screen(button);
    QCOMPARE(shown.pixel(0, 0) | 0xFF000000, Navy);
    QCOMPARE(shown.pixel(1, 1) | 0xFF000000, ButtonFace);
    hover(button); // still over it: nothing new happens
    button->update();
    QTest::qWait(20);
    shown = screen(button);
    QCOMPARE(shown.pixel(0, 0) | 0xFF000000, Navy);
    QCOMPARE(shown.pixel(1, 1) | 0xFF000000, ButtonFace);
}

// After a repaint under the pointer the surface font colour is the Font colour, and the
// pressed look keeps it.
void TestHoverButton::pressAfterRepaintKeepsFontColour()
{
    auto *button = makeButton(HoverButtonStyle::ResetAllRed, QStringLiteral("HoverButton101"), {10, 10});
    button->setCaption(QStringLiteral("Reset All Red"));
    hover(button);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    QImage pressed = screen(button);
    QVERIFY(hasPixel(pressed, rgb(0x0000FFFF)));  // yellow hover caption
    QVERIFY(!hasPixel(pressed, rgb(0x00FF0000))); // not the blue font
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
    button->repaint();
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    pressed = screen(button);
    QVERIFY(hasPixel(pressed, rgb(0x00FF0000)));
    QVERIFY(!hasPixel(pressed, rgb(0x0000FFFF)));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
}

void TestHoverButton::disabledShowsNoLooksAndRaisesNoEvents()
{
    auto *button = makeButton(HoverButtonStyle::Purchase, QStringLiteral("HoverButton1"), {10, 10});
    button->setCaption(QStringLiteral("P"));
    button->setButtonEnabled(false);
    QVERIFY(button->isEnabled());
    QCoreApplication::processEvents();
    const QImage normal = screen(button);
    QCOMPARE(normal.pixel(0, 0) | 0xFF000000, Navy);
    hover(button);
    QCOMPARE(screen(button), normal);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(screen(button), normal);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(screen(button), normal);
    QVERIFY(m_log.isEmpty());
    // Not greyed: the caption is in the font colour, and repaint still draws.
    QVERIFY(hasPixel(normal, Navy));
    button->setColor(0x000000FF);
    QCoreApplication::processEvents();
    QCOMPARE(screen(button).pixel(1, 1) | 0xFF000000, qRgb(255, 0, 0));
}

void TestHoverButton::rightButtonChangesNothing()
{
    auto *button = makeButton(HoverButtonStyle::Purchase, QStringLiteral("HoverButton1"), {10, 10});
    hover(button);
    const QImage hovered = screen(button);
    QTest::mousePress(button, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(screen(button), hovered);
    QTest::mouseRelease(button, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(screen(button), hovered);
    QVERIFY(m_log.isEmpty());
}

void TestHoverButton::releaseOffTheButtonGivesNoClick()
{
    auto *button = makeButton(HoverButtonStyle::Purchase, QStringLiteral("HoverButton1"), {50, 50});
    hover(button);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    setCursorOver(button, QPoint(-30, 5));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-30, 5));
    QCoreApplication::processEvents();
    QCOMPARE(m_log, (QStringList{QStringLiteral("down 5,5"), QStringLiteral("up -30,5")}));
    // Nothing drew the hover look: the pointer is not over the button.
    QVERIFY((screen(button).pixel(0, 0) | 0xFF000000) != Light);
}

void TestHoverButton::hoverColoursDoNotRedraw()
{
    auto *button = makeButton(HoverButtonStyle::Purchase, QStringLiteral("HoverButton1"), {10, 10});
    hover(button);
    QCOMPARE(screen(button).pixel(1, 1) | 0xFF000000, PurchaseOver);
    button->setColorOver(0x000000FF);
    button->setColorDown(0x0000FF00);
    button->setColorOverCaption(0x00FF0000);
    QTest::qWait(20);
    QCOMPARE(screen(button).pixel(1, 1) | 0xFF000000, PurchaseOver);
    leave(button);
    QCOMPARE(screen(button).pixel(1, 1) | 0xFF000000, ButtonFace);
    hover(button);
    QCOMPARE(screen(button).pixel(1, 1) | 0xFF000000, qRgb(255, 0, 0));
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(screen(button).pixel(1, 1) | 0xFF000000, qRgb(0, 255, 0));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
}

void TestHoverButton::colorRedrawsNormalLook()
{
    auto *button = makeButton(HoverButtonStyle::Purchase, QStringLiteral("HoverButton1"), {10, 10});
    hover(button);
    button->setColor(0x0000FFFF);
    QTest::qWait(20);
    const QImage shown = screen(button);
    QCOMPARE(shown.pixel(1, 1) | 0xFF000000, qRgb(255, 255, 0));
    QCOMPARE(shown.pixel(0, 0) | 0xFF000000, Navy);
}

void TestHoverButton::glyphIsDrawnThroughItsMask()
{
    auto *button = makeButton(HoverButtonStyle::ReCheck, QStringLiteral("HoverButton1"), {10, 10});
    QImage glyph(8, 6, QImage::Format_RGB32);
    glyph.fill(qRgb(255, 0, 255));
    glyph.setPixel(3, 2, qRgb(0, 0, 255));
    button->setShowCaption(false);
    button->setGlyph(glyph);
    QCoreApplication::processEvents();
    const QImage shown = screen(button);
    // Centred: (86 div 2 - 4, 22 div 2 - 3) = (39, 8).
    QCOMPARE(shown.pixel(39 + 3, 8 + 2) | 0xFF000000, qRgb(0, 0, 255));
    QCOMPARE(shown.pixel(39, 8) | 0xFF000000, rgb(button->color()));
    QVERIFY(!hasPixel(shown, qRgb(255, 0, 255)));
}

void TestHoverButton::styleTable()
{
    THoverButton button;
    applyStyle(&button, HoverButtonStyle::TitleOnTop);
    QCOMPARE(button.size(), QSize(22, 21));
    QCOMPARE(button.color(), ColorValue(0x00EF865A));
    QCOMPARE(button.colorBorder(), ColorValue(0x00FFFFFF));
    QCOMPARE(button.buttonFont(), (GdiFont{QStringLiteral("Wingdings"), -16, 0x00FFFFFF, true}));
    applyStyle(&button, HoverButtonStyle::ResetAllRed);
    QCOMPARE(button.size(), QSize(86, 22));
    QCOMPARE(button.colorOver(), ColorValue(0x000000FF));
    QCOMPARE(button.colorOverCaption(), ColorValue(0x0000FFFF));
    QCOMPARE(button.fontColor(), ColorValue(0x00FF0000));
    applyStyle(&button, HoverButtonStyle::DaysPanel);
    QCOMPARE(button.size(), QSize(47, 18));
    QCOMPARE(button.colorDown(), ColorValue(0x0073BFDF));
}

QTEST_MAIN(TestHoverButton)
#include "TestHoverButton.moc"
