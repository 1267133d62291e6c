#include "widgets/TSpeedButton.h"

#include "widgets/Bevel.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
// The glyph's bottom-left pixel names its transparent colour.
QImage withTransparency(const QImage &glyph)
{
    if (glyph.isNull())
        return glyph;
    QImage image = glyph.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == transparent)
                line[x] = 0;
        }
    }
    return image;
}
} // namespace

TSpeedButton::TSpeedButton(QWidget *parent)
    : QWidget(parent)
{}

void TSpeedButton::setGlyph(const QImage &glyph)
{
    m_glyph = withTransparency(glyph);
    update();
}

void TSpeedButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int offset = m_down ? 1 : 0;
    if (!m_glyph.isNull()) {
        painter.drawImage(QPoint((width() - m_glyph.width()) / 2 + offset, (height() - m_glyph.height()) / 2 + offset),
                          m_glyph);
    }
    if (m_hot || m_down) {
        if (m_down)
            drawBevel(painter, rect(), SystemColor::ButtonShadow, SystemColor::ButtonHighlight);
        else
            drawBevel(painter, rect());
    }
}

void TSpeedButton::enterEvent(QEnterEvent *)
{
    m_hot = true;
    update();
}

void TSpeedButton::leaveEvent(QEvent *)
{
    m_hot = false;
    update();
}

void TSpeedButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_down = true;
        update();
    }
}

void TSpeedButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_down)
        return;
    m_down = false;
    update();
    if (rect().contains(event->position().toPoint()) && OnClick)
        OnClick(this);
}
