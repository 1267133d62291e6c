// SPDX-License-Identifier: GPL-3.0-or-later
// The report controls: label measuring, field records and the base-name lookup, system
// field texts and counter, shape and image geometry, the parent rules, margins and the
// factory of the report classes.

#include "RecordingCanvas.h"
#include "TestSeams.h"
#include "platform/Clock.h"
#include "report/ReportError.h"
#include "report/ReportLayout.h"
#include "report/ReportRegistry.h"
#include "report/TAlField.h"
#include "report/TAlReport.h"
#include "report/TAlShape.h"
#include "report/TAlSysField.h"
#include "report/tAlBand.h"
#include "report/tAlImage.h"

#include <QtTest>

namespace {
// A control that always has another record.
class Endless : public tAlControl
{
public:
    using tAlControl::tAlControl;
    void DoPrint(const QRect &, const QString &) override { ++printed; }
    bool NextRecord() override { return true; }
    int printed = 0;
};

} // namespace

class TestReportControls : public QObject
{
    Q_OBJECT

private slots:
    void labelMeasuredAtPrint_data();
    void labelMeasuredAtPrint();
    void fieldRecords_data();
    void fieldRecords();
    void baseNameLookup_data();
    void baseNameLookup();
    void systemFieldTexts_data();
    void systemFieldTexts();
    void hiddenCounterKeepsCountingAcrossPrints();
    void shapeGeometry_data();
    void shapeGeometry();
    void thinShapePrintsAsLineWithOnePixelPen();
    void imagePrint_data();
    void imagePrint();
    void parentRules();
    void marginsInsideThePaper();
    void factoryCreatesEveryClass();
    void endlessDetailStops();
};

void TestReportControls::labelMeasuredAtPrint_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<bool>("autoSize");
    QTest::addColumn<QString>("anchor");

    QTest::newRow("left") << "Hello" << int(taLeftJustify) << true << "left";
    QTest::newRow("centre prints from its left edge") << "Hello" << int(taCenter) << true << "left";
    QTest::newRow("right keeps its right edge") << "Hello" << int(taRightJustify) << true << "right";
    QTest::newRow("empty measured as one blank") << "" << int(taLeftJustify) << true << "left";
    QTest::newRow("no auto-size keeps the rectangle") << "Hello" << int(taRightJustify) << false << "whole";
    QTest::newRow("word wrap breaks in the control's width")
        << "Some words that cannot stand on one line of two hundred pixels" << int(taLeftJustify) << true << "wrap";
}

void TestReportControls::labelMeasuredAtPrint()
{
    QFETCH(QString, caption);
    QFETCH(int, alignment);
    QFETCH(bool, autoSize);
    QFETCH(QString, anchor);
    ReportPage page;
    auto *label = new TAlLabel(page.band);
    label->setFont({QStringLiteral("Arial"), -13, 0});
    label->setCaption(caption);
    label->setAlignment(TAlignment(alignment));
    label->setAutoSize(autoSize);
    label->setWordWrap(anchor == u"wrap");
    label->setGeometry(100, 20, 200, 10);
    page.print({});
    const QRect printed = page.log.entries.front().rect;

    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    GdiCanvas measure(painter);
    measure.setFont({QStringLiteral("Arial"), -13, 0});
    QRect text(0, 0, 200, 10);
    measure.drawText(caption.isEmpty() ? QStringLiteral(" ") : caption, text,
                     label->wordWrap() ? DrawTextFlag::CalcRect | DrawTextFlag::WordBreak : DrawTextFlag::CalcRect);
    QVERIFY(text.width() > 0 && text.width() <= 200 && text.height() > 10);
    // Measured, a line is taller than the control's 10 pixels; wrapped, the text takes two.
    QCOMPARE(text.height() > 20, label->wordWrap());

    const QRect expected = anchor == u"left" || anchor == u"wrap" ? QRect(100, 20, text.width(), text.height())
                           : anchor == u"right" ? QRect(300 - text.width(), 20, text.width(), text.height())
                                                : QRect(100, 20, 200, 10);
    QCOMPARE(printed, expected);
    QCOMPARE(page.log.entries.front().text, caption);
}

void TestReportControls::fieldRecords_data()
{
    QTest::addColumn<QStringList>("values");
    // Print text, peek and the answer of NextRecord, three records in a row.
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("none") << QStringList{} << QStringList{"~ cap 0", "~ cap 0", "~ cap 0"};
    QTest::newRow("one value on every output") << QStringList{"a"} << QStringList{"a a 0", "a a 0", "a a 0"};
    QTest::newRow("two values, then the no-value text")
        << QStringList{"a", "b"} << QStringList{"a b 1", "b ~ 0", "~ ~ 0"};
    QTest::newRow("duplicates kept") << QStringList{"x", "x", "y"} << QStringList{"x x 1", "x y 1", "y ~ 0"};
}

void TestReportControls::fieldRecords()
{
    QFETCH(QStringList, values);
    QFETCH(QStringList, steps);
    QWidget form;
    auto *band = new tAlBand(&form);
    auto *field = new TAlField(band);
    field->setCaption(QStringLiteral("cap"));
    for (const QString &value : values)
        field->addRecord(value);
    QStringList seen;
    for (int i = 0; i < 3; ++i) {
        const QString text = field->GetPrintText();
        const QString peek = field->Peek();
        seen.append(QStringLiteral("%1 %2 %3").arg(text, peek).arg(int(field->NextRecord())));
    }
    QCOMPARE(seen, steps);
    field->FirstRecord();
    QCOMPARE(field->GetPrintText(), values.value(0, TAlField::noValueText));
    field->ClearRecords();
    QCOMPARE(field->GetPrintText(), TAlField::noValueText);
}

void TestReportControls::baseNameLookup_data()
{
    // The field's name, the class of the component named Total ("-": none), the printed text.
    QTest::addColumn<QString>("row");

    QTest::newRow("field Total") << "Total_ TAlField 42";
    QTest::newRow("two underscores") << "Total__ TAlField 42";
    QTest::newRow("Total is a label") << "Total_ TAlLabel ~";
    QTest::newRow("no Total") << "Total_ - ~";
    QTest::newRow("no underscore") << "Total2 TAlField ~";
    QTest::newRow("only underscores") << "__ TAlField ~";
}

void TestReportControls::baseNameLookup()
{
    QFETCH(QString, row);
    const QStringList words = row.split(u' ');
    QWidget form;
    auto *band = new tAlBand(&form);
    if (auto *base = qobject_cast<TAlLabel *>(createReportComponent(words[1], band))) {
        base->setObjectName(QStringLiteral("Total"));
        if (auto *field = qobject_cast<TAlField *>(base))
            field->addRecord(QStringLiteral("42"));
    }
    auto *sum = new TAlField(band);
    sum->setObjectName(words[0]);
    QCOMPARE(sum->GetPrintText(), words[2]);
}

void TestReportControls::systemFieldTexts_data()
{
    QTest::addColumn<QString>("placeholder");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("pattern");

    const QString time = QStringLiteral("\\d{1,2}:\\d\\d:\\d\\d( [AP]M)?$");
    QTest::newRow("time") << "#hh:mm:ss#" << int(alr_Time) << "^" + time;
    QTest::newRow("date") << "#tt.mm.jjjj#" << int(alr_Date) << "^date$";
    QTest::newRow("date and time") << "#tt.mm.jjjj hh:mm:ss#" << int(alr_DateTime) << "^date " + time;
    QTest::newRow("page") << "#Page#" << int(alr_PageNum) << "^1$";
    QTest::newRow("counter") << "#Counter#" << int(alr_Counter) << "^1$";
    QTest::newRow("count") << "#Count#" << int(alr_Count) << "^E$";
    QTest::newRow("form name") << "#Form7#" << int(alr_FormName) << "^Form7$";
}

void TestReportControls::systemFieldTexts()
{
    QFETCH(QString, placeholder);
    QFETCH(int, type);
    QFETCH(QString, pattern);
    const TestSeams seams(QDate(2026, 12, 10));
    ReportPage page;
    auto *field = new TAlSysField(page.band);
    field->setDataType(tAlSysDataType(type));
    QCOMPARE(field->caption(), placeholder);
    page.print({});
    const QString date = QLocale::system().toString(QDate(2026, 12, 10), QLocale::ShortFormat);
    const QString expected = QString(pattern).replace(QStringLiteral("date"), QRegularExpression::escape(date));
    QVERIFY2(QRegularExpression(expected).match(page.log.entries.front().text).hasMatch(),
             qPrintable(page.log.entries.front().text));
}

void TestReportControls::hiddenCounterKeepsCountingAcrossPrints()
{
    ReportPage page;
    page.band->setBandType(alr_Detail);
    auto *values = new TAlField(page.band);
    for (const char *value : {"a", "b", "c"})
        values->addRecord(QString::fromLatin1(value));
    auto *hidden = new TAlSysField(page.band);
    hidden->setDataType(alr_Counter);
    hidden->setVisible(false);
    auto *shown = new TAlSysField(page.band);
    shown->setDataType(alr_Counter);
    shown->move(0, 50);
    QCOMPARE(page.print({"text"}), (QStringList{"1:a@0", "1:1@50", "1:b@100", "1:2@150", "1:c@200", "1:3@250"}));
    QCOMPARE(page.print({"text"}), (QStringList{"1:a@0", "1:4@50", "1:b@100", "1:5@150", "1:c@200", "1:6@250"}));
    QCOMPARE(hidden->counter(), 6);
}

void TestReportControls::shapeGeometry_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("drawn");

    const QRect wide(0, 0, 100, 40);
    QTest::newRow("rectangle") << int(stRectangle) << wide << "0:rectangle 0,0,100,40";
    QTest::newRow("square centred") << int(stSquare) << wide << "0:rectangle 30,0,70,40";
    QTest::newRow("round rectangle") << int(stRoundRect) << wide << "0:roundRect 0,0,100,40";
    QTest::newRow("round square") << int(stRoundSquare) << QRect(10, 10, 40, 101) << "0:roundRect 10,40,50,80";
    QTest::newRow("ellipse") << int(stEllipse) << wide << "0:ellipse 0,0,100,40";
    QTest::newRow("circle") << int(stCircle) << QRect(5, 5, 41, 100) << "0:ellipse 5,34,46,75";
    QTest::newRow("one pixel high: a line") << int(stRectangle) << QRect(3, 4, 100, 1) << "0:line 3,4,103,4";
    QTest::newRow("one pixel wide: a line") << int(stRectangle) << QRect(3, 4, 1, 50) << "0:line 3,4,3,54";
    QTest::newRow("square of one pixel: a line") << int(stSquare) << QRect(0, 0, 1, 50) << "0:line 0,24,0,25";
}

void TestReportControls::shapeGeometry()
{
    QFETCH(int, shape);
    QFETCH(QRect, rect);
    QFETCH(QString, drawn);
    QList<Drawn> log;
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    RecordingCanvas canvas(painter, log, 0);
    TAlShape control;
    control.setShape(TShapeType(shape));
    control.drawShape(canvas, rect);
    QCOMPARE(log.size(), 1);
    QCOMPARE(log.front().brief(), drawn);
}

// At 48 dpi a shape one screen pixel high is one printer line high.
void TestReportControls::thinShapePrintsAsLineWithOnePixelPen()
{
    ReportPage page(48);
    auto *shape = new TAlShape(page.band);
    shape->setGeometry(0, 0, 10, 1);
    shape->setPen({0, 0, PenStyle::Solid});
    QCOMPARE(page.print({}), QStringList{"1:line 0,0,6,0"});
    QCOMPARE(page.log.entries.front().penWidth, 1);
}

void TestReportControls::imagePrint_data()
{
    QTest::addColumn<bool>("picture");
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<QString>("drawn");

    QTest::newRow("stretched") << true << true << "1:image 10,20,50,60";
    QTest::newRow("composed at screen size") << true << false << "1:image 10,20,50,60";
    QTest::newRow("no picture: a frame") << false << true << "1:rectangle 10,20,50,60";
}

void TestReportControls::imagePrint()
{
    QFETCH(bool, picture);
    QFETCH(bool, stretch);
    QFETCH(QString, drawn);
    ReportPage page;
    auto *image = new tAlImage(page.band);
    image->setGeometry(10, 20, 40, 40);
    image->setStretch(stretch);
    if (picture)
        image->setPicture(QImage(8, 8, QImage::Format_RGB32));
    QCOMPARE(page.print({}), QStringList{drawn});
}

void TestReportControls::parentRules()
{
    QWidget form;
    auto *band = new tAlBand(&form);
    auto *label = new TAlLabel(band);
    QWidget *notAWindow = new QWidget(&form);
    auto refused = [](auto place) {
        try {
            place();
        } catch (const ReportError &error) {
            return error.message();
        }
        return QString();
    };
    QCOMPARE(refused([&] { band->placeOn(notAWindow); }), QStringLiteral("This component must be placed on a tForm."));
    QCOMPARE(band->parentWidget(), &form);
    QCOMPARE(refused([&] { label->placeOn(&form); }), QStringLiteral("This component must be placed on a tAlBand."));
    QCOMPARE(label->band(), band);
    QVERIFY_THROWS_EXCEPTION(ReportError, TAlReport{notAWindow});
}

void TestReportControls::marginsInsideThePaper()
{
    QWidget form;
    TAlReport report(&form);
    report.setPapersize(alr_Letter);
    for (int margin : {103, 215, -1})
        report.setLeftMarginMM(margin);
    QCOMPARE(report.leftMarginMM(), 103);
    report.setLeftMarginMM(214);
    QCOMPARE(report.leftMarginMM(), 214);
    report.setOrientation(poLandscape);
    report.setRightMarginMM(250);
    QCOMPARE(report.rightMarginMM(), 0);
}

void TestReportControls::factoryCreatesEveryClass()
{
    QWidget form;
    auto *band = new tAlBand(&form);
    for (const QString &name : reportClassNames()) {
        const bool onBand = name.startsWith(u"TAl") && name != u"TAlReport" && name != u"TAlDetailLink";
        QObject *made = createReportComponent(name, onBand || name == u"tAlImage" ? band : &form);
        QVERIFY2(made, qPrintable(name));
        QCOMPARE(QString::fromLatin1(made->metaObject()->className()), name);
    }
    QCOMPARE(reportClassNames().size(), 8);
    QCOMPARE(createReportComponent(QStringLiteral("TAlNothing"), &form), nullptr);
}

// Zero-height band: it never needs a new page, so only the bound ends it.
void TestReportControls::endlessDetailStops()
{
    ReportPage page;
    page.band->setBandType(alr_Detail);
    page.band->setGeometry(0, 0, 813, 0);
    auto *endless = new Endless(page.band);
    endless->setGeometry(0, 0, 10, 10);
    page.band->setClipMode(cm_Overwrite);
    page.report.Print(TAlPrinter::Mode::PageStore);
    QCOMPARE(endless->printed, ReportLayout::maxDetailOutputs);
}

QTEST_MAIN(TestReportControls)
#include "TestReportControls.moc"
