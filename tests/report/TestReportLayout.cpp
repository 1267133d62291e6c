// SPDX-License-Identifier: GPL-3.0-or-later
// The banded layout on the page store: band order, page breaks with page headers and
// footers, details with their headers and footers, groups, new pages, alternate fills, clip
// modes; the check list of the print dialog at 600 dpi in the page store and as a PDF.

#include "CheckListReport.h"
#include "RecordingCanvas.h"
#include "report/ReportError.h"
#include "report/TAlDetailLink.h"
#include "report/TAlField.h"
#include "report/TAlReport.h"
#include "report/TAlShape.h"
#include "report/tAlBand.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// The band types in their order of declaration.
const QStringList bandTypes{"Title",      "PageHeader",   "DetailHeader", "Detail",      "DetailFooter",
                            "PageFooter", "ReportFooter", "NewPage",      "GroupHeader", "GroupFooter"};

// Builds bands from "Type name height [a|b|c] [alt] [@top]; ...": each band is stacked under
// the one before unless "@top" places it, and shows its name in a label at (0, 0), or its
// values in a field. Group header and footer bands are linked to the detail band's field.
void buildBands(QWidget &form, const QString &description)
{
    int stackTop = 0;
    TAlDetailLink *link = nullptr;
    tAlBand *detail = nullptr;
    for (const QString &row : description.split(u';', Qt::SkipEmptyParts)) {
        const QStringList words = row.split(u' ', Qt::SkipEmptyParts);
        auto *band = new tAlBand(&form);
        band->setBandType(tAlBandType(bandTypes.indexOf(words[0])));
        const int height = words[2].toInt();
        int top = stackTop;
        QStringList values;
        for (const QString &word : words.mid(3)) {
            if (word == u"alt")
                band->setAltColor(true);
            else if (word.startsWith(u'@'))
                top = word.mid(1).toInt();
            else
                values = word.split(u'|');
        }
        band->setGeometry(0, top, 813, height);
        stackTop = top + height;
        if (values.isEmpty()) {
            auto *label = new TAlLabel(band);
            label->setCaption(words[1]);
        } else {
            auto *field = new TAlField(band);
            field->setObjectName(words[1]);
            for (const QString &value : values)
                field->addRecord(value);
            detail = band;
        }
        if (band->bandType() == alr_GroupHeader || band->bandType() == alr_GroupFooter) {
            if (!link)
                link = new TAlDetailLink(&form);
            if (band->bandType() == alr_GroupHeader)
                link->setGroupHeader(band);
            else
                link->setGroupFooter(band);
        }
    }
    if (link && detail) {
        link->setGroupBand(detail);
        link->setDataSource(detail->findChild<TAlField *>());
    }
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}
} // namespace

class TestReportLayout : public QObject
{
    Q_OBJECT

private slots:
    void bandsOnPages_data();
    void bandsOnPages();
    void clipModes_data();
    void clipModes();
    void checkListAt600Dpi_data();
    void checkListAt600Dpi();
    void refusedJobReachesTheCaller();
};

void TestReportLayout::bandsOnPages_data()
{
    QTest::addColumn<QString>("bands");
    QTest::addColumn<QStringList>("printed");
    QTest::addColumn<int>("pages");

    QTest::newRow("band that exactly fits stays") << "Title A 600; Title B 400" << QStringList{"1:A@0", "1:B@600"} << 1;
    QTest::newRow("one pixel more moves on") << "Title A 600; Title B 402" << QStringList{"1:A@0", "2:B@0"} << 2;
    QTest::newRow("headers on top, footers under the body limit")
        << "PageHeader H 100; Title A 600; Title B 300; PageFooter F 100"
        << QStringList{"1:F@900", "1:H@0", "1:A@100", "1:F@900", "2:H@0", "2:B@100", "2:F@900"} << 2;
    QTest::newRow("taller than a page prints once after one break")
        << "Title A 100; Title B 1200; Title C 100" << QStringList{"1:A@0", "2:B@0", "3:C@0"} << 3;
    QTest::newRow("page header and footer only") << "PageHeader H 100; PageFooter F 100" << QStringList{"1:F@900"} << 1;
    QTest::newRow("equal tops in component order")
        << "Title B 100 @0; Title A 100 @0; Title C 100 @50" << QStringList{"1:B@0", "1:A@100", "1:C@200"} << 1;
    QTest::newRow("sorted by top") << "Title B 100 @300; Title A 100 @0" << QStringList{"1:A@0", "1:B@100"} << 1;
    QTest::newRow("details with header and footer")
        << "DetailHeader H 50; Detail D 50 a|b|c; DetailFooter F 50"
        << QStringList{"1:H@0", "1:a@50", "1:b@100", "1:c@150", "1:F@200"} << 1;
    QTest::newRow("a detail band with one value prints once") << "Detail D 50 a" << QStringList{"1:a@0"} << 1;
    QTest::newRow("detail header repeats on a new page")
        << "DetailHeader H 100; Detail D 400 a|b|c" << QStringList{"1:H@0", "1:a@100", "1:b@500", "2:H@0", "2:c@100"}
        << 2;
    QTest::newRow("new page between details")
        << "Detail A 100 a; NewPage N 0; Detail B 100 b; PageFooter F 100"
        << QStringList{"1:F@900", "1:a@0", "1:F@900", "1:F@900", "2:b@0", "2:F@900"} << 2;
    QTest::newRow("alternate fill of the second and fourth output")
        << "Detail D 100 a|b|c|d alt"
        << QStringList{"1:a@0", "1:fill@100", "1:b@100", "1:c@200", "1:fill@300", "1:d@300"} << 1;
    QTest::newRow("groups change with the value")
        << "GroupHeader G 100; Detail D 100 x|x|y|y; GroupFooter E 100"
        << QStringList{"1:G@0", "1:x@100", "1:x@200", "1:E@300", "1:G@400", "1:y@500", "1:y@600", "1:E@700"} << 1;
    QTest::newRow("group header repeats on a new page")
        << "GroupHeader G 100; Detail D 100 x|x|y|y; GroupFooter E 100; PageFooter F 500"
        << QStringList{"1:F@500", "1:G@0",   "1:x@100", "1:x@200", "1:E@300", "1:G@400",
                       "1:y@500", "1:F@500", "2:G@0",   "2:y@100", "2:E@200", "2:F@500"}
        << 2;
}

void TestReportLayout::bandsOnPages()
{
    QFETCH(QString, bands);
    QFETCH(QStringList, printed);
    QFETCH(int, pages);
    ReportPage page;
    delete page.band;
    buildBands(page.form, bands);
    page.report.Print(TAlPrinter::Mode::PageStore);
    QCOMPARE(page.log.briefs({"text", "fill"}), printed);
    QCOMPARE(TAlPrinter::shared().pages().size(), pages);
}

void TestReportLayout::clipModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("printed");

    // A 100-line band at the top; the next band starts at the cursor.
    QTest::newRow("clip cuts to the band") << int(cm_Clip) << QStringList{"1:rectangle 10,80,30,99", "1:next@100"};
    QTest::newRow("expand grows the band")
        << int(cm_Expand) << QStringList{"1:rectangle 10,80,30,120", "1:rectangle 40,200,50,210", "1:next@211"};
    QTest::newRow("overwrite prints outside")
        << int(cm_Overwrite) << QStringList{"1:rectangle 10,80,30,120", "1:rectangle 40,200,50,210", "1:next@100"};
}

void TestReportLayout::clipModes()
{
    QFETCH(int, mode);
    QFETCH(QStringList, printed);
    ReportPage page;
    buildBands(page.form, "Title next 100 @100");
    tAlBand *band = page.band;
    band->setClipMode(tClipMode(mode));
    auto *reachingOut = new TAlShape(band);
    reachingOut->setGeometry(10, 80, 20, 40);
    auto *outside = new TAlShape(band);
    outside->setGeometry(40, 200, 10, 10);
    page.report.Print(TAlPrinter::Mode::PageStore);
    QCOMPARE(page.log.briefs({"rectangle", "text"}), printed);
}

void TestReportLayout::checkListAt600Dpi_data()
{
    QTest::addColumn<int>("marginMM");
    QTest::addColumn<int>("shift");

    // 103 mm at 600 dpi is 2434 device pixels from the paper's edge, less the printable
    // offset of 6.35 mm (150 pixels).
    QTest::newRow("left side") << 0 << -150;
    QTest::newRow("right side") << 103 << 2434 - 150;
}

// The page store first, then a real QPrinter writing a PDF with the same printable offset:
// its page holds the texts where the engine put them.
void TestReportLayout::checkListAt600Dpi()
{
    QFETCH(int, marginMM);
    QFETCH(int, shift);
    QWidget form;
    CheckListReport checkList(form);
    checkList.fill(QStringList{"Milk", "Bread"});
    checkList.report->setLeftMarginMM(marginMM);
    {
        PageLog log(600, {150, 150});
        checkList.report->Print(TAlPrinter::Mode::PageStore);
        QCOMPARE(TAlPrinter::shared().pages().size(), 1);
        QCOMPARE(checkList.report->cursorAfterBands(), 2969);
        const QStringList boxes = log.briefs({"rectangle"});
        // Twelve tick boxes shown: two names and ten blank rows.
        QCOMPARE(boxes.size(), 12);
        QCOMPARE(boxes.front(), QStringLiteral("1:rectangle %1,107,%2,194").arg(157 + shift).arg(244 + shift));
        QCOMPARE(boxes.back(), QStringLiteral("1:rectangle %1,1344,%2,1432").arg(157 + shift).arg(244 + shift));
        QList<Drawn> texts;
        for (const Drawn &d : log.entries) {
            if (d.op == u"text")
                texts.append(d);
            else
                QCOMPARE(d.penWidth, 4);
            // Nothing reaches under the band's last line.
            QVERIFY2(d.rect.top() + d.rect.height() <= 2968, qPrintable(d.brief()));
        }
        QCOMPARE(texts.size(), 100);
        QCOMPARE(texts[0].text, QStringLiteral("Milk"));
        QCOMPARE(texts[0].rect.topLeft(), QPoint(276 + shift, 100));
        QCOMPARE(texts[2].text, QStringLiteral("_________"));
        // Row 25 of column 2 stands two screen pixels higher than the rows' pitch gives.
        QCOMPARE(texts[49].rect.topLeft(), QPoint(scaleToPrinter(44 + 104, 600) + shift, scaleToPrinter(446, 600)));
    }

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    QPrinter &printer = TAlPrinter::shared().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(6.35, 6.35, 6.35, 6.35), QPageLayout::Millimeter);
    checkList.report->Print();
    QCOMPARE(TAlPrinter::shared().printingOffset(), QPoint(150, 150));
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    for (const char *line : {"Page size:\\s+612 x 792 pts", "Pages:\\s+1\\n", "Title:\\s+Inventory\\n"})
        QVERIFY2(info.contains(QRegularExpression(QString::fromLatin1(line))), qPrintable(info));
    const QString words = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    const auto milk =
        QRegularExpression(QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>Milk<")).match(words);
    QVERIFY2(milk.hasMatch(), qPrintable(words));
    // Points from the paper's edge: the printable offset added back.
    QVERIFY2(qAbs(milk.captured(1).toDouble() - (276 + shift + 150) * 72.0 / 600) < 2.0, qPrintable(milk.captured(1)));
    QVERIFY2(qAbs(milk.captured(2).toDouble() - (100 + 150) * 72.0 / 600) < 4.0, qPrintable(milk.captured(2)));
    QCOMPARE(words.count(QStringLiteral(">_________<")), 10);
}

// A job the printer service refuses reaches the caller and leaves no job open.
void TestReportLayout::refusedJobReachesTheCaller()
{
    QPrinter &printer = TAlPrinter::shared().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/nonexistent-folder/list.pdf"));
    QWidget form;
    CheckListReport checkList(form);
    checkList.fill({QStringLiteral("Milk")});
    QVERIFY_THROWS_EXCEPTION(ReportError, checkList.report->Print());
    QVERIFY(!TAlPrinter::shared().printing());
}

QTEST_MAIN(TestReportLayout)
#include "TestReportLayout.moc"
