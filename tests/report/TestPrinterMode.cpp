// The printer mode against a real QPrinter writing a PDF file: the job's page size and title,
// the text where the engine put it (measured from the paper's edge, the printable offset
// compensated), and a job the printer service refuses.

#include "CheckListReport.h"
#include "report/ReportError.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}
} // namespace

class TestPrinterMode : public QObject
{
    Q_OBJECT

private slots:
    void pdfHoldsTheListWhereTheEngineDrewIt_data();
    void pdfHoldsTheListWhereTheEngineDrewIt();
    void refusedJobReachesTheCaller();
};

void TestPrinterMode::pdfHoldsTheListWhereTheEngineDrewIt_data()
{
    QTest::addColumn<int>("marginMM");
    QTest::addColumn<double>("nameLeftPt");

    // The name label stands 44 screen pixels into the band: 276 device pixels at 600 dpi.
    QTest::newRow("left side") << 0 << 276 * 72.0 / 600;
    QTest::newRow("103 mm from the paper's edge") << 103 << (2434 + 276) * 72.0 / 600;
}

void TestPrinterMode::pdfHoldsTheListWhereTheEngineDrewIt()
{
    QFETCH(int, marginMM);
    QFETCH(double, nameLeftPt);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    QPrinter &printer = TAlPrinter::shared().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(6.35, 6.35, 6.35, 6.35), QPageLayout::Millimeter);

    QWidget form;
    CheckListReport checkList(form);
    checkList.fill({QStringLiteral("Milk")});
    checkList.report->setLeftMarginMM(marginMM);
    checkList.report->Print();
    QCOMPARE(TAlPrinter::shared().printingOffset(), QPoint(150, 150));

    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+612 x 792 pts"))), qPrintable(info));
    QVERIFY(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    QVERIFY(info.contains(QRegularExpression(QStringLiteral("Title:\\s+Inventory\\n"))));

    const QString words = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    const auto milk =
        QRegularExpression(QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>Milk<")).match(words);
    QVERIFY2(milk.hasMatch(), qPrintable(words));
    QVERIFY2(qAbs(milk.captured(1).toDouble() - (nameLeftPt)) < 2.0, qPrintable(milk.captured(1)));
    // The label's top is 16 screen pixels (100 device pixels) under the printable area's top.
    const double topPt = (150 + 100) * 72.0 / 600;
    QVERIFY2(qAbs(milk.captured(2).toDouble() - topPt) < 4.0, qPrintable(milk.captured(2)));
    QCOMPARE(words.count(QStringLiteral(">_________<")), 10);
}

void TestPrinterMode::refusedJobReachesTheCaller()
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

QTEST_MAIN(TestPrinterMode)
#include "TestPrinterMode.moc"
