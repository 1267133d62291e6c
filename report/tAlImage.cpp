// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/tAlImage.h"

#include "report/TAlPrinter.h"

#include <QPainter>

namespace {
// Without a picture the control shows where it lies.
const GdiPen FramePen{0, 1, PenStyle::DashDot};
} // namespace

tAlImage::tAlImage(QWidget *parent)
    : tAlControl(parent)
{
    setAutoSize(false);
    resize(100, 100);
}

void tAlImage::setPictureAutosize(bool autosize)
{
    if (autosize == m_autosize)
        return;
    m_autosize = autosize;
    PicChanged();
}

void tAlImage::setCenter(bool center)
{
    if (center == m_center)
        return;
    m_center = center;
    update();
}

void tAlImage::setStretch(bool stretch)
{
    if (stretch == m_stretch)
        return;
    m_stretch = stretch;
    update();
}

void tAlImage::setPicture(const QImage &picture)
{
    m_picture = picture;
    PicChanged();
}

void tAlImage::PicChanged()
{
    if (m_autosize && !m_picture.isNull())
        resize(m_picture.size());
    update();
}

QImage tAlImage::composed() const
{
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QPoint at =
        m_center ? QPoint((width() - m_picture.width()) / 2, (height() - m_picture.height()) / 2) : QPoint(0, 0);
    painter.drawImage(at, m_picture);
    return image;
}

void tAlImage::DoPrint(const QRect &rect, const QString &)
{
    drawInto(TAlPrinter::shared().Canvas(), rect);
}

void tAlImage::paintFace(GdiCanvas &canvas)
{
    drawInto(canvas, rect());
}

void tAlImage::drawInto(GdiCanvas &canvas, const QRect &rect) const
{
    if (m_picture.isNull()) {
        canvas.setPen(FramePen);
        canvas.setBrushStyle(BrushStyle::Clear);
        canvas.rectangle(rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height());
        return;
    }
    canvas.stretchDraw(rect, m_stretch ? m_picture : composed());
}
