// SPDX-License-Identifier: GPL-3.0-or-later
// The status bar: layout of its parts, the width rules of a panel, drawing in the panel's own
// font, no redraw for an unchanged text, and the routing of clicks through the hot panel.

#include "platform/GdiCanvas.h"
#include "platform/SystemColors.h"
#include "widgets/TStatusBarPro.h"
#include "widgets/TStatusPanelPro.h"
#include "widgets/TStatusPanelsPro.h"

#include <QPainter>
#include <QtTest>

namespace {
constexpr QRgb Shadow = qRgb(128, 128, 128);
constexpr QRgb Highlight = qRgb(255, 255, 255);
constexpr QRgb Face = qRgb(212, 208, 200);
constexpr QRgb Navy = qRgb(0, 0, 128);
const GdiFont TahomaNavy{QStringLiteral("Tahoma"), -11, 0x00800000, false};

QRgb px(const QImage &image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000;
}

QImage render(TStatusBarPro &bar)
{
    return bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int count(const QImage &image, const QRect &area, QRgb colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += px(image, x, y) == colour;
    return n;
}

QRect box(const QImage &image, const QRect &area, QRgb colour)
{
    QRect found;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (px(image, x, y) == colour)
                found |= QRect(x, y, 1, 1);
    return found;
}
} // namespace

class TestStatusBarPro : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void onePanelFillsTheBar();
    void twoPanels();
    void autoSizePanelsShareTheRest_data();
    void autoSizePanelsShareTheRest();
    void widthRules();
    void autoWidthMeasuresTextInPanelFont();
    void textInPanelFont();
    void sameTextCausesNoRedraw();
    void emptyTextLeavesPanelColour();
    void alignment_data();
    void alignment();
    void imageBeforeText();
    void clickRouting();
    void mouseDownAfterHotPanel();
    void simpleMode();
    void autoHint();
    void onlyFirst128PanelsTakePart();
    void parentFontAndColour();
    void embeddedControl();
};

void TestStatusBarPro::defaults()
{
    TStatusBarPro bar;
    QCOMPARE(bar.height(), 19);
    QCOMPARE(bar.panels()->count(), 0);
    QVERIFY(bar.sizeGrip());
    QVERIFY(!bar.simplePanel());
    QCOMPARE(bar.color(), ColorValue(0x8000000F));
    TStatusPanelPro *panel = bar.panels()->add();
    QCOMPARE(panel->width(), 50);
    QCOMPARE(panel->minWidth(), 0);
    QCOMPARE(panel->maxWidth(), 10000);
    QCOMPARE(panel->bevel(), TStatusPanelPro::Bevel::Lowered);
    QCOMPARE(panel->alignment(), Qt::AlignLeft);
    QCOMPARE(panel->imageIndex(), -1);
    QVERIFY(panel->parentFont());
    QVERIFY(panel->parentColor());
    QCOMPARE(panel->font(), bar.barFont());
    QCOMPARE(bar.panels()->item(0), panel);
    QCOMPARE(panel->index(), 0);
}

void TestStatusBarPro::onePanelFillsTheBar()
{
    QWidget window;
    auto *bar = new TStatusBarPro(&window);
    bar->setObjectName(QStringLiteral("StatusBarPro1"));
    bar->setGeometry(6, 566, 842, 19);
    TStatusPanelPro *panel = bar->panels()->add();
    panel->setWidth(100);
    panel->setFont(TahomaNavy);
    QCOMPARE(window.findChild<TStatusBarPro *>(QStringLiteral("StatusBarPro1")), bar);
    QCOMPARE(bar->panelRect(0), QRect(0, 2, 842, 17));
    const QImage image = render(*bar);
    // The lowered bevel runs round the whole bar: no part edge at x 100.
    QCOMPARE(px(image, 0, 10), Shadow);
    QCOMPARE(px(image, 5, 2), Shadow);
    QCOMPARE(px(image, 841, 10), Highlight);
    QCOMPARE(px(image, 420, 18), Highlight);
    QCOMPARE(px(image, 99, 10), Face);
    QCOMPARE(px(image, 100, 10), Face);
    QCOMPARE(px(image, 10, 0), Face); // the border above the parts
    QCOMPARE(bar->panelAt({800, 10}), 0);
}

void TestStatusBarPro::twoPanels()
{
    TStatusBarPro bar;
    bar.resize(300, 19);
    bar.panels()->add()->setWidth(100);
    bar.panels()->add()->setWidth(50);
    QCOMPARE(bar.panelRect(0), QRect(0, 2, 100, 17));
    QCOMPARE(bar.panelRect(1), QRect(100, 2, 200, 17));
    const QImage image = render(bar);
    QCOMPARE(px(image, 99, 10), Highlight);
    QCOMPARE(px(image, 100, 10), Shadow);
    QCOMPARE(px(image, 299, 10), Highlight);
    QCOMPARE(px(image, 150, 10), Face);
    QCOMPARE(bar.panelAt({99, 10}), 0);
    QCOMPARE(bar.panelAt({100, 10}), 1);
    QCOMPARE(bar.panelAt({299, 18}), 1);
    QCOMPARE(bar.panelAt({50, 1}), -1);
}

void TestStatusBarPro::autoSizePanelsShareTheRest_data()
{
    QTest::addColumn<int>("barWidth");
    QTest::addColumn<bool>("sizeGrip");
    QTest::addColumn<int>("share");
    QTest::newRow("grip: 216 - 16 - 100 = 100") << 216 << true << 33;
    QTest::newRow("no grip: 200 - 100 = 100") << 200 << false << 33;
    QTest::newRow("no grip: 160 - 100 = 60") << 160 << false << 20;
    QTest::newRow("nothing left") << 90 << false << 0;
}

void TestStatusBarPro::autoSizePanelsShareTheRest()
{
    QFETCH(int, barWidth);
    QFETCH(bool, sizeGrip);
    QFETCH(int, share);
    TStatusBarPro bar;
    bar.setSizeGrip(sizeGrip);
    bar.resize(barWidth, 19);
    auto *fixed = bar.panels()->add();
    fixed->setWidth(100);
    for (int i = 0; i < 3; ++i)
        bar.panels()->add()->setAutoSize(true);
    QCOMPARE(fixed->width(), 100);
    for (int i = 1; i < 4; ++i)
        QCOMPARE(bar.panels()->item(i)->width(), share);
    QCOMPARE(bar.panelRect(1).left(), 100);
    QCOMPARE(bar.panelRect(2).left(), 100 + share);
    QCOMPARE(bar.panelRect(3).left(), 100 + 2 * share);
    QCOMPARE(bar.panelRect(3).right(), barWidth - 1); // the last one reaches the end
}

void TestStatusBarPro::widthRules()
{
    TStatusBarPro bar;
    bar.resize(400, 19);
    TStatusPanelPro *panel = bar.panels()->add();
    panel->setMinWidth(30);
    panel->setWidth(20);
    QCOMPARE(panel->width(), 30);
    panel->setMaxWidth(40);
    panel->setWidth(50);
    QCOMPARE(panel->width(), 40);
    panel->setMaxWidth(35);
    QCOMPARE(panel->width(), 35); // a smaller MaxWidth lowers the width
    panel->setMaxWidth(100);
    panel->setMinWidth(60);
    QCOMPARE(panel->width(), 60); // a larger MinWidth raises it
    panel->setAutoWidth(true);
    const int autoWidth = panel->width();
    panel->setWidth(90);
    QCOMPARE(panel->width(), autoWidth);
    panel->setAutoSize(true);
    QVERIFY(!panel->autoWidth());
    const int shared = panel->width();
    QCOMPARE(shared, 400 - 16); // the only panel, auto-sized, takes all the room
    panel->setWidth(70);
    QCOMPARE(panel->width(), shared);
    panel->setAutoSize(false);
    panel->setWidth(70);
    QCOMPARE(panel->width(), 70);
    panel->setAutoWidth(true);
    QVERIFY(!panel->autoSize());
}

void TestStatusBarPro::autoWidthMeasuresTextInPanelFont()
{
    TStatusBarPro bar;
    bar.resize(600, 19);
    bar.panels()->add()->setWidth(10);
    TStatusPanelPro *panel = bar.panels()->add();
    const GdiFont big{QStringLiteral("Arial"), -20, 0, true};
    panel->setFont(big);
    panel->setIndent(3);
    panel->setText(QStringLiteral("Remaining days"));
    panel->setAutoWidth(true);
    const int textWidth = QFontMetrics(toQFont(big)).horizontalAdvance(QStringLiteral("Remaining days"));
    QCOMPARE(panel->width(), textWidth + 2 * 3 + 2);
    panel->setMaxWidth(50);
    QCOMPARE(panel->width(), 50);
    bar.panels()->add();
    QCOMPARE(bar.panelRect(2).left(), 60);
}

// The panel's text is drawn in the panel's font at indent + 1 past the bevel, vertically
// centred on the letter H; drawn here independently as the reference.
void TestStatusBarPro::textInPanelFont()
{
    TStatusBarPro bar;
    bar.resize(842, 19);
    bar.setBarFont({QStringLiteral("Courier New"), -16, 0x000000FF, true});
    TStatusPanelPro *panel = bar.panels()->add();
    panel->setWidth(100);
    panel->setFont(TahomaNavy);
    const QString text = QStringLiteral("Item 17: 12 days left");
    panel->setText(text);
    const QImage image = render(bar);
    const QRect inner(1, 3, 842 - 2 - 16, 15);

    QImage expected(bar.size(), QImage::Format_RGB32);
    expected.fill(Face);
    {
        QPainter painter(&expected);
        GdiCanvas canvas(painter);
        canvas.setFont(TahomaNavy);
        canvas.setBrushColor(0x8000000F);
        canvas.textOut(inner.left() + 1, inner.top() + (inner.height() - canvas.textHeight(QStringLiteral("H"))) / 2,
                       text);
    }
    for (int y = inner.top(); y <= inner.bottom(); ++y)
        for (int x = inner.left(); x <= inner.right(); ++x)
            QCOMPARE(px(image, x, y), px(expected, x, y));
    QVERIFY(count(image, inner, Navy) > 20);
    QCOMPARE(count(image, inner, qRgb(255, 0, 0)), 0);
    // The text cell starts at x 2: its first ink is no further left.
    QVERIFY(box(image, inner, Navy).left() >= 2);
}

void TestStatusBarPro::sameTextCausesNoRedraw()
{
#ifdef NDEBUG
    QSKIP("the bar counts its invalidations in debug builds only");
#else
    TStatusBarPro bar;
    bar.resize(300, 19);
    TStatusPanelPro *panel = bar.panels()->add();
    panel->setText(QStringLiteral("Tracking started"));
    const int before = bar.panelInvalidations();
    panel->setText(QStringLiteral("Tracking started"));
    QCOMPARE(bar.panelInvalidations(), before);
    panel->setText(QString());
    QCOMPARE(bar.panelInvalidations(), before + 1);
    panel->setText(QString());
    QCOMPARE(bar.panelInvalidations(), before + 1);
    panel->setHint(QStringLiteral("x"));
    panel->setHint(QStringLiteral("x"));
    QCOMPARE(bar.panelInvalidations(), before + 2);
#endif
}

void TestStatusBarPro::emptyTextLeavesPanelColour()
{
    TStatusBarPro bar;
    bar.resize(300, 19);
    TStatusPanelPro *panel = bar.panels()->add();
    panel->setFont(TahomaNavy);
    panel->setColor(0x0073BFDF);
    panel->setText(QStringLiteral("Something"));
    panel->setText(QString());
    const QImage image = render(bar);
    const QRect inner(1, 3, 300 - 2 - 16, 15);
    QCOMPARE(count(image, inner, qRgb(223, 191, 115)), inner.width() * inner.height());
}

void TestStatusBarPro::alignment_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("indent");
    QTest::newRow("left") << int(Qt::AlignLeft) << 4;
    QTest::newRow("right") << int(Qt::AlignRight) << 4;
    QTest::newRow("centre") << int(Qt::AlignHCenter) << 0;
}

void TestStatusBarPro::alignment()
{
    QFETCH(int, alignment);
    QFETCH(int, indent);
    TStatusBarPro bar;
    bar.setSizeGrip(false);
    bar.resize(300, 19);
    TStatusPanelPro *first = bar.panels()->add();
    first->setWidth(200);
    first->setFont(TahomaNavy);
    first->setIndent(indent);
    first->setAlignment(Qt::Alignment(alignment));
    first->setText(QStringLiteral("Cycle"));
    bar.panels()->add();
    const QImage image = render(bar);
    // R is (1, 3)-(199, 18); the opaque text cell shows where the text went.
    QImage plain(bar.size(), QImage::Format_RGB32);
    QPainter painter(&plain);
    GdiCanvas canvas(painter);
    canvas.setFont(TahomaNavy);
    const int tw = canvas.textWidth(QStringLiteral("Cycle"));
    int x = 1 + indent + 1;
    if (alignment == Qt::AlignRight)
        x = 199 - indent - 1 - tw;
    else if (alignment == Qt::AlignHCenter)
        x = 1 + (198 - tw) / 2;
    painter.end();
    const QRect ink = box(image, QRect(1, 3, 198, 15), Navy);
    QVERIFY(!ink.isEmpty());
    QVERIFY(ink.left() >= x && ink.left() <= x + 2);
    QVERIFY(ink.right() < x + tw && ink.right() >= x + tw - 3);
}

void TestStatusBarPro::imageBeforeText()
{
    TStatusBarPro bar;
    bar.resize(300, 19);
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 0));
    bar.setImages({image});
    TStatusPanelPro *panel = bar.panels()->add();
    panel->setFont(TahomaNavy);
    panel->setImageIndex(0);
    panel->setIndent(2);
    panel->setText(QStringLiteral("Hi"));
    const QImage shown = render(bar);
    // x = 1 + 2 + 1; y = 3 + (15 - 6) div 2.
    QCOMPARE(box(shown, shown.rect(), qRgb(255, 0, 0)), QRect(4, 7, 8, 6));
    QVERIFY(box(shown, shown.rect(), Navy).left() >= 4 + 8 + 2);
    panel->setAutoWidth(true);
    const int tw = QFontMetrics(toQFont(TahomaNavy)).horizontalAdvance(QStringLiteral("Hi"));
    QCOMPARE(panel->width(), tw + 2 * 2 + 2 + 8 + 2);
}

void TestStatusBarPro::clickRouting()
{
    TStatusBarPro bar;
    bar.resize(300, 19);
    TStatusPanelPro *first = bar.panels()->add();
    first->setWidth(100);
    TStatusPanelPro *second = bar.panels()->add();
    QList<QObject *> clicks;
    QList<QObject *> doubleClicks;
    bar.OnClick = [&](QObject *sender) { clicks << sender; };
    bar.OnDblClick = [&](QObject *sender) { doubleClicks << sender; };
    second->OnClick = [&](QObject *sender) { clicks << sender; };
    second->OnDblClick = [&](QObject *sender) { doubleClicks << sender; };
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(150, 10));
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(50, 10));
    QCOMPARE(clicks, (QList<QObject *>{second, &bar}));
    QCOMPARE(bar.hotPanel(), first);
    QTest::mouseDClick(&bar, Qt::LeftButton, {}, QPoint(150, 10));
    QCOMPARE(doubleClicks, QList<QObject *>{second});
    QTest::mouseDClick(&bar, Qt::LeftButton, {}, QPoint(20, 10));
    QCOMPARE(doubleClicks, (QList<QObject *>{second, &bar}));
    clicks.clear();
    QTest::mouseClick(&bar, Qt::RightButton, {}, QPoint(150, 10));
    QVERIFY(clicks.isEmpty());
}

void TestStatusBarPro::mouseDownAfterHotPanel()
{
    TStatusBarPro bar;
    bar.resize(300, 19);
    bar.panels()->add()->setWidth(100);
    TStatusPanelPro *second = bar.panels()->add();
    QList<QPair<TStatusPanelPro *, QPoint>> downs;
    bar.OnMouseDown = [&](QObject *sender, Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
        QCOMPARE(sender, &bar);
        QCOMPARE(button, Qt::LeftButton);
        downs.append({bar.hotPanel(), QPoint(x, y)});
    };
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(120, 8));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(120, 8));
    QCOMPARE(downs.size(), 1);
    QCOMPARE(downs[0].first, second);
    QCOMPARE(downs[0].second, QPoint(120, 8));
}

void TestStatusBarPro::simpleMode()
{
    TStatusBarPro bar;
    bar.setSizeGrip(false);
    bar.resize(300, 19);
    bar.setBarFont(TahomaNavy);
    TStatusPanelPro *panel = bar.panels()->add();
    panel->setWidth(100);
    panel->setText(QStringLiteral("Panel"));
    bar.setSimpleText(QStringLiteral("\tCentred"));
    bar.setSimplePanel(true);
    QVERIFY(bar.panelRect(0).isEmpty());
    const QImage image = render(bar);
    // One part over the whole width: no edge at x 100, text centred.
    QCOMPARE(px(image, 100, 10), Face);
    const QRect ink = box(image, QRect(1, 3, 298, 15), Navy);
    QVERIFY(!ink.isEmpty());
    QVERIFY(qAbs((ink.left() + ink.right()) / 2 - 150) <= 3);
    bar.setSimpleText(QStringLiteral("\t\tRight"));
    const QRect right = box(render(bar), QRect(1, 3, 298, 15), Navy);
    QVERIFY(right.right() >= 294 && right.right() <= 298);
}

void TestStatusBarPro::autoHint()
{
    TStatusBarPro bar;
    bar.resize(300, 19);
    bar.panels()->add()->setWidth(100);
    bar.panels()->add();
    bar.setAutoHint(true);
    bar.setAutoHintPanelIndex(1);
    bar.showHint(QStringLiteral("two\r\nlines"));
    QCOMPARE(bar.panels()->item(1)->text(), QStringLiteral("two lines"));
    QWidget tipped;
    tipped.setStatusTip(QStringLiteral("from a status tip"));
    QStatusTipEvent tip(tipped.statusTip());
    QCoreApplication::sendEvent(&tipped, &tip);
    QCOMPARE(bar.panels()->item(1)->text(), QStringLiteral("from a status tip"));
    QStringList hints;
    bar.OnHint = [&](QObject *, const QString &hint) { hints << hint; };
    bar.showHint(QStringLiteral("to the event"));
    QCOMPARE(hints, QStringList{QStringLiteral("to the event")});
    QCOMPARE(bar.panels()->item(1)->text(), QStringLiteral("from a status tip"));
    bar.OnHint = nullptr;
    bar.setSimplePanel(true);
    bar.showHint(QStringLiteral("simple"));
    QCOMPARE(bar.simpleText(), QStringLiteral("simple"));
    // An index past the panels falls back to 0 at the next layout.
    bar.setSimplePanel(false);
    bar.setAutoHintPanelIndex(5);
    bar.panels()->add();
    QCOMPARE(bar.autoHintPanelIndex(), 0);
}

void TestStatusBarPro::onlyFirst128PanelsTakePart()
{
    TStatusBarPro bar;
    bar.resize(400, 19);
    for (int i = 0; i < 130; ++i)
        bar.panels()->add()->setWidth(2);
    QCOMPARE(bar.panels()->count(), 130);
    QCOMPARE(bar.panelRect(127), QRect(254, 2, 146, 17));
    QVERIFY(bar.panelRect(128).isEmpty());
}

void TestStatusBarPro::parentFontAndColour()
{
    TStatusBarPro bar;
    TStatusPanelPro *inherits = bar.panels()->add();
    TStatusPanelPro *own = bar.panels()->add();
    own->setFont(TahomaNavy);
    own->setColor(0x000000FF);
    bar.setBarFont({QStringLiteral("Arial"), -12, 0x00FF0000, true});
    bar.setColor(0x0000FF00);
    QCOMPARE(inherits->font().name, QStringLiteral("Arial"));
    QCOMPARE(inherits->color(), ColorValue(0x0000FF00));
    QCOMPARE(own->font(), TahomaNavy);
    QCOMPARE(own->color(), ColorValue(0x000000FF));
    QVERIFY(!own->parentFont());
    own->setParentFont(true);
    QCOMPARE(own->font().name, QStringLiteral("Arial"));
}

void TestStatusBarPro::embeddedControl()
{
    TStatusBarPro bar;
    bar.resize(300, 19);
    TStatusPanelPro *first = bar.panels()->add();
    first->setWidth(100);
    TStatusPanelPro *second = bar.panels()->add();
    auto *control = new QWidget;
    first->setControl(control);
    QCOMPARE(control->parentWidget(), &bar);
    QCOMPARE(control->geometry(), QRect(1, 3, 98, 15));
    second->setControl(control);
    QCOMPARE(first->control(), nullptr);
    QCOMPARE(control->geometry(), QRect(101, 3, 198, 15));
    delete control;
    QCOMPARE(second->control(), nullptr);
}

QTEST_MAIN(TestStatusBarPro)
#include "TestStatusBarPro.moc"
