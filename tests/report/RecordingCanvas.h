// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A canvas that logs what a report draws on the pages of the page store, one entry per
// drawing call with its rectangle (GDI edges), instead of drawing pixels. Measuring text
// still measures, so labels are sized as when printing.

#include "platform/GdiCanvas.h"
#include "report/TAlPrinter.h"
#include "report/TAlReport.h"
#include "report/tAlBand.h"

#include <QPainter>

struct Drawn
{
    int page = 0;
    QString op; // "fill", "text", "rectangle", "roundRect", "ellipse", "line", "image"
    QRect rect;
    QString text;
    int penWidth = 0;

    // "page:text@top" for texts, "page:fill@top" for fills, "page:op l,t,r,b" otherwise.
    QString brief() const
    {
        if (op == QLatin1String("text") || op == QLatin1String("fill"))
            return QStringLiteral("%1:%2@%3").arg(page).arg(op == QLatin1String("fill") ? op : text).arg(rect.top());
        return QStringLiteral("%1:%2 %3,%4,%5,%6")
            .arg(page)
            .arg(op)
            .arg(rect.left())
            .arg(rect.top())
            .arg(rect.left() + rect.width())
            .arg(rect.top() + rect.height());
    }
};

class RecordingCanvas : public GdiCanvas
{
public:
    RecordingCanvas(QPainter &painter, QList<Drawn> &log, int page)
        : GdiCanvas(painter)
        , m_log(log)
        , m_page(page)
    {}

    void fillRect(const QRect &rect, ColorValue) override { add(QStringLiteral("fill"), rect); }
    void rectangle(int l, int t, int r, int b) override { add(QStringLiteral("rectangle"), gdiRect(l, t, r, b)); }
    void roundRect(int l, int t, int r, int b, int, int) override
    {
        add(QStringLiteral("roundRect"), gdiRect(l, t, r, b));
    }
    void ellipse(int l, int t, int r, int b) override { add(QStringLiteral("ellipse"), gdiRect(l, t, r, b)); }
    void lineTo(int x, int y) override
    {
        add(QStringLiteral("line"), gdiRect(penPos().x(), penPos().y(), x, y));
        moveTo(x, y);
    }
    int drawText(const QString &text, QRect &rect, DrawTextFlags flags) override
    {
        if (flags.testFlag(DrawTextFlag::CalcRect))
            return GdiCanvas::drawText(text, rect, flags);
        add(QStringLiteral("text"), rect, text);
        return rect.height();
    }
    void stretchDraw(const QRect &rect, const QImage &) override { add(QStringLiteral("image"), rect); }

private:
    void add(const QString &op, const QRect &rect, const QString &text = {})
    {
        m_log.append({m_page, op, rect, text, pen().width});
    }

    QList<Drawn> &m_log;
    int m_page;
};

// The shared printer in page-store mode at a resolution and printable offset, logging into
// a list; the next print starts a fresh log.
class PageLog
{
public:
    explicit PageLog(int pixelsPerInch = 96, QPoint offset = {0, 27})
    {
        TAlPrinter &printer = TAlPrinter::shared();
        printer.setMode(TAlPrinter::Mode::PageStore);
        printer.setPageStoreDevice({pixelsPerInch, pixelsPerInch, offset});
        printer.setCanvasFactory([this](QPainter &painter) -> std::unique_ptr<GdiCanvas> {
            if (TAlPrinter::shared().PageNumber() == 1)
                entries.clear();
            return std::make_unique<RecordingCanvas>(painter, entries, TAlPrinter::shared().PageNumber());
        });
    }
    ~PageLog() { TAlPrinter::shared().setCanvasFactory({}); }

    QStringList briefs(const QStringList &ops = {}) const
    {
        QStringList out;
        for (const Drawn &d : entries) {
            if (ops.isEmpty() || ops.contains(d.op))
                out.append(d.brief());
        }
        return out;
    }

    QList<Drawn> entries;
};

// A window "Form7" with a report on a Letter page and one 813 x 100 band, printed into the
// page store: at 96 dpi the printable height is 1000 lines.
struct ReportPage
{
    explicit ReportPage(int pixelsPerInch = 96)
        : report(&form)
        , log(pixelsPerInch)
        , band(new tAlBand(&form))
    {
        form.setObjectName(QStringLiteral("Form7"));
        report.setPapersize(alr_Letter);
        band->setGeometry(0, 0, 813, 100);
    }
    QStringList print(const QStringList &ops = {})
    {
        report.Print(TAlPrinter::Mode::PageStore);
        return log.briefs(ops);
    }
    QWidget form;
    TAlReport report;
    PageLog log;
    tAlBand *band;
};
