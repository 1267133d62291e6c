// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TStatusBarPro.h"

#include "platform/GdiCanvas.h"
#include "widgets/Bevel.h"
#include "widgets/TStatusPanelPro.h"
#include "widgets/TStatusPanelsPro.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusTipEvent>
#include <QToolTip>

namespace {
// The parts lie below a border of two pixels and are framed by a one-pixel bevel.
constexpr int TopBorder = 2;

// The status-bar font of the classic Windows scheme.
GdiFont systemStatusFont()
{
    return {QStringLiteral("Tahoma"), -11, SystemColor::WindowText, false};
}

// A part's edge: the top and left edges own the corners.
void drawPartBevel(GdiCanvas &canvas, const QRect &part, TStatusPanelPro::Bevel bevel)
{
    if (bevel == TStatusPanelPro::Bevel::None)
        return;
    const bool lowered = bevel == TStatusPanelPro::Bevel::Lowered;
    drawBevel(canvas, part, lowered ? SystemColor::ButtonShadow : SystemColor::ButtonHighlight,
              lowered ? SystemColor::ButtonHighlight : SystemColor::ButtonShadow, BevelCorners::TopLeft);
}
} // namespace

TStatusBarPro::TStatusBarPro(QWidget *parent)
    : QWidget(parent)
    , m_font(systemStatusFont())
{
    m_panels = new TStatusPanelsPro(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    resize(sizeHint());
}

TStatusBarPro::~TStatusBarPro()
{
    setAutoHint(false);
    delete m_panels;
    m_panels = nullptr;
}

QSize TStatusBarPro::sizeHint() const
{
    return {parentWidget() ? parentWidget()->width() : 200, 19};
}

void TStatusBarPro::setAutoHint(bool autoHint)
{
    if (autoHint == m_autoHint)
        return;
    m_autoHint = autoHint;
    if (autoHint)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

void TStatusBarPro::setColor(ColorValue color)
{
    m_color = color;
    applyColorToPanels();
    update();
}

void TStatusBarPro::setBarFont(const GdiFont &font)
{
    m_font = font;
    m_useSystemFont = false;
    applyFontToPanels();
}

void TStatusBarPro::setUseSystemFont(bool use)
{
    m_useSystemFont = use;
    if (use) {
        m_font = systemStatusFont();
        applyFontToPanels();
    }
}

void TStatusBarPro::applyFontToPanels()
{
    bool autoWidth = false;
    for (int i = 0; i < m_panels->count(); ++i) {
        TStatusPanelPro *panel = m_panels->item(i);
        if (panel->parentFont())
            panel->takeBarFont(m_font);
        autoWidth = autoWidth || panel->autoWidth();
    }
    if (autoWidth)
        layoutPanels();
    update();
}

void TStatusBarPro::applyColorToPanels()
{
    for (int i = 0; i < m_panels->count(); ++i) {
        TStatusPanelPro *panel = m_panels->item(i);
        if (panel->parentColor())
            panel->takeBarColor(m_color);
    }
}

void TStatusBarPro::setImages(const QList<QImage> &images)
{
    m_images = images;
    for (int i = 0; i < layoutCount(); ++i) {
        const TStatusPanelPro *panel = m_panels->item(i);
        if (panel->autoWidth() && panel->imageIndex() >= 0) {
            layoutPanels();
            return;
        }
    }
    update();
}

QSize TStatusBarPro::imageSize() const
{
    return m_images.isEmpty() ? QSize() : m_images.front().size();
}

void TStatusBarPro::setSimplePanel(bool simple)
{
    if (simple == m_simplePanel)
        return;
    m_simplePanel = simple;
    for (int i = 0; i < m_panels->count(); ++i)
        placeControl(m_panels->item(i));
    update();
}

void TStatusBarPro::setSimpleText(const QString &text)
{
    if (text == m_simpleText)
        return;
    m_simpleText = text;
    if (m_simplePanel)
        update();
}

void TStatusBarPro::setSizeGrip(bool sizeGrip)
{
    m_sizeGrip = sizeGrip;
    layoutPanels();
}

int TStatusBarPro::layoutCount() const
{
    return m_panels ? qMin(m_panels->count(), MaxLayoutPanels) : 0;
}

void TStatusBarPro::layoutPanels()
{
    if (!m_panels)
        return;
    computeLayout();
    // Every panel is drawn again.
#ifndef NDEBUG
    m_panelInvalidations += layoutCount();
#endif
    update();
    if (m_autoHintPanelIndex >= m_panels->count())
        m_autoHintPanelIndex = 0;
    for (int i = 0; i < m_panels->count(); ++i)
        placeControl(m_panels->item(i));
}

// A hidden bar hears of its new size only when shown; its parts follow its width anyway.
void TStatusBarPro::ensureLayout() const
{
    if (m_layoutWidth != width())
        const_cast<TStatusBarPro *>(this)->computeLayout();
}

void TStatusBarPro::computeLayout()
{
    m_layoutWidth = width();
    const int count = layoutCount();
    // The grip's room is kept whether or not a grip is shown.
    int available = width() - (m_sizeGrip ? SizeGripWidth : 0);
    int autoSized = 0;
    for (int i = 0; i < count; ++i) {
        TStatusPanelPro *panel = m_panels->item(i);
        if (panel->autoSize()) {
            ++autoSized;
            continue;
        }
        if (panel->autoWidth()) {
            int w = textWidth(panel->font(), panel->text()) + 2 * panel->indent() + 2;
            if (panel->imageIndex() >= 0 && panel->imageIndex() < m_images.size())
                w += imageSize().width() + 2;
            w = qMax(panel->minWidth(), qMin(w, panel->maxWidth()));
            panel->setLayoutWidth(w);
        }
        available -= panel->width();
    }
    if (autoSized > 0) {
        const int share = qMax(0, available / autoSized);
        for (int i = 0; i < count; ++i) {
            if (m_panels->item(i)->autoSize())
                m_panels->item(i)->setLayoutWidth(share);
        }
    }
    m_rightEdges.clear();
    int edge = 0;
    for (int i = 0; i + 1 < count; ++i) {
        edge += m_panels->item(i)->width();
        m_rightEdges.append(edge);
    }
}

QRect TStatusBarPro::panelRect(int index) const
{
    ensureLayout();
    const int count = layoutCount();
    if (m_simplePanel || index < 0 || index >= count || index > m_rightEdges.size())
        return {};
    const int left = index == 0 ? 0 : m_rightEdges[index - 1];
    // The last part always reaches the right end of the bar.
    const int right = index == count - 1 ? width() : m_rightEdges[index];
    return gdiRect(left, TopBorder, right, height());
}

QRect TStatusBarPro::drawRect(int index) const
{
    QRect r = panelRect(index).adjusted(1, 1, -1, -1);
    if (index == layoutCount() - 1 && m_sizeGrip)
        r.setRight(r.right() - SizeGripWidth);
    return r;
}

int TStatusBarPro::panelAt(QPoint pos) const
{
    for (int i = 0; i < layoutCount(); ++i) {
        if (panelRect(i).contains(pos))
            return i;
    }
    return -1;
}

void TStatusBarPro::invalidatePanel(TStatusPanelPro *panel)
{
    const int index = panel->index();
    if (index < 0 || index >= layoutCount())
        return;
#ifndef NDEBUG
    ++m_panelInvalidations;
#endif
    update(panelRect(index));
    placeControl(panel);
}

void TStatusBarPro::placeControl(TStatusPanelPro *panel)
{
    QWidget *control = panel->control();
    if (!control)
        return;
    // Half the spacing between parts on either side, half the vertical border above and below.
    control->setGeometry(m_simplePanel ? QRect() : panelRect(panel->index()).adjusted(1, 1, -1, -1));
}

void TStatusBarPro::releaseControl(QWidget *control, TStatusPanelPro *except)
{
    for (int i = 0; i < m_panels->count(); ++i) {
        TStatusPanelPro *panel = m_panels->item(i);
        if (panel != except && panel->m_control == control)
            panel->m_control = nullptr;
    }
}

void TStatusBarPro::paintEvent(QPaintEvent *event)
{
    ensureLayout();
    QPainter painter(this);
    GdiCanvas canvas(painter);
    canvas.fillRect(rect(), m_color);
    if (m_simplePanel) {
        drawSimple(canvas);
        return;
    }
    const int count = layoutCount();
    if (count == 0) {
        drawPartBevel(canvas, gdiRect(0, TopBorder, width(), height()), TStatusPanelPro::Bevel::Lowered);
        return;
    }
    for (int i = 0; i < count; ++i) {
        const QRect part = panelRect(i);
        if (!event->rect().intersects(part))
            continue;
        TStatusPanelPro *panel = m_panels->item(i);
        drawPartBevel(canvas, part, panel->bevel());
        const QRect r = drawRect(i);
        canvas.setFont(m_font);
        canvas.setBrushColor(m_color);
        painter.save();
        painter.setClipRect(r);
        drawPanel(canvas, panel, r);
        painter.restore();
    }
}

void TStatusBarPro::drawPanel(GdiCanvas &canvas, TStatusPanelPro *panel, const QRect &r)
{
    if (panel->style() == TStatusPanelPro::Style::OwnerDraw && OnDrawPanel) {
        OnDrawPanel(this, panel, r, canvas);
        return;
    }
    const bool rightToLeft = panel->biDiMode() == Qt::RightToLeft;
    Qt::Alignment alignment = panel->alignment();
    if (rightToLeft && alignment == Qt::AlignLeft)
        alignment = Qt::AlignRight;
    else if (rightToLeft && alignment == Qt::AlignRight)
        alignment = Qt::AlignLeft;
    const bool rightFlowing = alignment == Qt::AlignRight || (alignment == Qt::AlignHCenter && rightToLeft);

    const bool hasImage = panel->imageIndex() >= 0 && panel->imageIndex() < m_images.size();
    const int iw = hasImage ? imageSize().width() : 0;
    canvas.setFont(panel->font());
    const int tw = canvas.textWidth(panel->text());
    const int right = r.left() + r.width();

    int x = 0;
    if (alignment == Qt::AlignRight)
        x = right - iw - panel->indent() - 1;
    else if (alignment == Qt::AlignHCenter)
        x = rightToLeft ? r.left() + (tw + iw + r.width()) / 2 - iw : r.left() + (r.width() - iw - tw) / 2;
    else
        x = r.left() + panel->indent() + 1;

    canvas.fillRect(r, panel->color());
    if (iw > 0) {
        const QImage &image = m_images[panel->imageIndex()];
        canvas.draw(x, r.top() + (r.height() - image.height()) / 2, image);
        x = rightFlowing ? x - 2 : x + iw + 2;
    }
    if (panel->text().isEmpty())
        return;
    if (rightFlowing)
        x -= tw;
    const int top = r.top() + (r.height() - canvas.textHeight(QStringLiteral("H"))) / 2;
    canvas.setBrushColor(panel->color());
    canvas.textOut(x, top, panel->text());
}

// One full-width part; leading tabs in the text centre it (one) or right-align it (two).
void TStatusBarPro::drawSimple(GdiCanvas &canvas)
{
    const QRect part = gdiRect(0, TopBorder, width(), height());
    drawPartBevel(canvas, part, TStatusPanelPro::Bevel::Lowered);
    QString text = m_simpleText;
    Qt::Alignment alignment = Qt::AlignLeft;
    if (text.startsWith(QStringLiteral("\t\t"))) {
        alignment = Qt::AlignRight;
        text = text.mid(2);
    } else if (text.startsWith(QLatin1Char('\t'))) {
        alignment = Qt::AlignHCenter;
        text = text.mid(1);
    }
    QRect r = part.adjusted(1, 1, -1, -1);
    if (m_sizeGrip)
        r.setRight(r.right() - SizeGripWidth);
    canvas.setFont(m_font);
    canvas.setBrushStyle(BrushStyle::Clear);
    const int tw = canvas.textWidth(text);
    int x = r.left() + 1;
    if (alignment == Qt::AlignRight)
        x = r.left() + r.width() - 1 - tw;
    else if (alignment == Qt::AlignHCenter)
        x = r.left() + (r.width() - tw) / 2;
    canvas.painter().save();
    canvas.painter().setClipRect(r);
    canvas.textOut(x, r.top() + (r.height() - canvas.textHeight(text)) / 2, text);
    canvas.painter().restore();
}

void TStatusBarPro::resizeEvent(QResizeEvent *)
{
    layoutPanels();
    if (OnResize)
        OnResize(this);
}

void TStatusBarPro::setHotPanel(QPoint pos)
{
    const int index = panelAt(pos);
    m_hotPanel = index >= 0 ? m_panels->item(index) : nullptr;
}

void TStatusBarPro::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    const QPoint pos = event->position().toPoint();
    setHotPanel(pos);
    if (event->button() == Qt::LeftButton)
        m_leftDown = true;
    if (OnMouseDown)
        OnMouseDown(this, event->button(), event->modifiers(), pos.x(), pos.y());
}

void TStatusBarPro::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    const QPoint pos = event->position().toPoint();
    setHotPanel(pos);
    QPointer<TStatusBarPro> alive(this);
    if (event->button() == Qt::LeftButton) {
        TStatusPanelPro *hot = m_hotPanel;
        if (hot && hot->OnDblClick)
            hot->OnDblClick(hot);
        else if (OnDblClick)
            OnDblClick(this);
    }
    if (alive && OnMouseDown)
        OnMouseDown(this, event->button(), event->modifiers(), pos.x(), pos.y());
}

void TStatusBarPro::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const QPoint pos = event->position().toPoint();
    QPointer<TStatusBarPro> alive(this);
    if (event->button() == Qt::LeftButton) {
        const bool clicked = m_leftDown && rect().contains(pos);
        m_leftDown = false;
        if (clicked) {
            TStatusPanelPro *hot = m_hotPanel;
            if (hot && hot->OnClick)
                hot->OnClick(hot);
            else if (OnClick)
                OnClick(this);
        }
    }
    if (alive && OnMouseUp)
        OnMouseUp(this, event->button(), event->modifiers(), pos.x(), pos.y());
}

void TStatusBarPro::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const TStatusPanelPro *before = m_hotPanel;
    setHotPanel(pos);
    // The next hint shown is the new panel's.
    if (m_hotPanel != before)
        QToolTip::hideText();
    if (OnMouseMove)
        OnMouseMove(this, Qt::NoButton, event->modifiers(), pos.x(), pos.y());
}

void TStatusBarPro::contextMenuEvent(QContextMenuEvent *event)
{
    setHotPanel(event->pos());
    QMenu *menu = m_hotPanel && m_hotPanel->popupMenu() ? m_hotPanel->popupMenu() : m_popupMenu.data();
    if (!menu) {
        event->ignore();
        return;
    }
    if (m_hotPanel && m_hotPanel->popupMenu())
        menu->setLayoutDirection(m_hotPanel->biDiMode());
    menu->popup(event->globalPos());
}

bool TStatusBarPro::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        setHotPanel(help->pos());
        const QString hint = m_hotPanel && !m_hotPanel->hint().isEmpty() ? m_hotPanel->hint() : toolTip();
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), hint, this, m_hotPanel ? panelRect(m_hotPanel->index()) : rect());
        return true;
    }
    return QWidget::event(event);
}

// The status tips of the application's widgets are its hints; one tip reaches the filter once
// for each widget it passes on its way up, so repeats of the same event are dropped.
bool TStatusBarPro::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent *>(event)->tip();
        if (event != m_lastHintEvent || tip != m_lastHint) {
            m_lastHintEvent = event;
            m_lastHint = tip;
            showHint(tip);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TStatusBarPro::showHint(const QString &hint)
{
    if (OnHint) {
        OnHint(this, hint);
        return;
    }
    QString text = hint;
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    if (m_simplePanel || m_panels->count() == 0)
        setSimpleText(text);
    else if (TStatusPanelPro *panel = m_panels->item(m_autoHintPanelIndex))
        panel->setText(text);
}
