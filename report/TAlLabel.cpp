// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/TAlLabel.h"

#include "report/TAlPrinter.h"

TAlLabel::TAlLabel(QWidget *parent)
    : tAlControl(parent)
{
    setAutoSize(true);
    setTransparent(true);
}

void TAlLabel::DoPrint(const QRect &rect, const QString &text)
{
    TAlPrinter &printer = TAlPrinter::shared();
    ::Canvas &canvas = printer.Canvas();
    if (!transparent()) {
        canvas.setBrushColor(color());
        canvas.fillRect(rect);
    }
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.setFont(fontAt(printer.pixelsPerInchY()));
    QRect area = rect;
    canvas.drawText(text, area, textFlags());
}

// An empty text is measured as one blank, so an empty auto-size label keeps a line's height.
QRect TAlLabel::measured(::Canvas &canvas, const QRect &rect)
{
    if (!autoSize())
        return rect;
    canvas.setFont(fontAt(TAlPrinter::shared().pixelsPerInchY()));
    return fitted(canvas, GetPrintText(), rect);
}
