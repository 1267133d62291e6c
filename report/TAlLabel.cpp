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
    GdiCanvas &canvas = printer.Canvas();
    if (!transparent()) {
        canvas.setBrushColor(color());
        canvas.fillRect(rect);
    }
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.setFont(fontAt(printer.pixelsPerInchY()));
    QRect area = rect;
    canvas.drawText(withinPage(canvas, text, rect.left()), area, textFlags());
}

// A one-line, left-aligned text that would run past the printable right edge is cut there and
// ends in an ellipsis; a text that fits is printed as it is.
QString TAlLabel::withinPage(const GdiCanvas &canvas, const QString &text, int left) const
{
    const int printable = TAlPrinter::shared().printableWidth();
    const int room = printable - left;
    if (printable <= 0 || wordWrap() || alignment() != taLeftJustify || text.contains(QLatin1Char('\n'))
        || canvas.textWidth(text) <= room)
        return text;
    const QString ellipsis(QChar(0x2026));
    QString shortened = text;
    while (!shortened.isEmpty() && canvas.textWidth(shortened + ellipsis) > room)
        shortened.chop(1);
    while (shortened.endsWith(QLatin1Char(' ')))
        shortened.chop(1);
    return shortened.isEmpty() ? QString() : shortened + ellipsis;
}

// An empty text is measured as one blank, so an empty auto-size label keeps a line's height.
QRect TAlLabel::measured(GdiCanvas &canvas, const QRect &rect)
{
    if (!autoSize())
        return rect;
    canvas.setFont(fontAt(TAlPrinter::shared().pixelsPerInchY()));
    return fitted(canvas, GetPrintText(), rect);
}
