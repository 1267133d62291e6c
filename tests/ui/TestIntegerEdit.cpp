// SPDX-License-Identifier: GPL-3.0-or-later
// The integer edit: what Value reads, what keystrokes and clipboard commands it lets through,
// the clamp on leaving, the format string and the key codes its handlers see.

#include "NoticesAsBoxes.h"
#include "TestSeams.h"
#include "platform/Clipboard.h"
#include "platform/MessageBox.h"
#include "ui/look/DaysPanelEdit.h"
#include "widgets/TIntegerEdit.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QtTest>

#include <limits>
#include <memory>

namespace {
// A window with the integer edit and a second edit to move the focus to.
struct Host
{
    QWidget window;
    TIntegerEdit *edit = new TIntegerEdit(&window);
    QLineEdit *other = new QLineEdit(&window);

    Host()
    {
        window.resize(120, 80);
        edit->setGeometry(10, 10, 80, 21);
        other->setGeometry(10, 40, 80, 21);
    }

    bool showActive()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
};

void putNoText()
{
    // Something that is not text: the clipboard then holds no text format at all.
    auto *data = new QMimeData;
    data->setData(QStringLiteral("application/x-pantrova-test"), QByteArray("binary"));
    QGuiApplication::clipboard()->setMimeData(data);
}
} // namespace

class TestIntegerEdit : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_seams.emplace();
        showNoticesAsBoxes();
    }
    void cleanup() { m_seams.reset(); }

    void constructionShowsZero()
    {
        TIntegerEdit edit;
        QCOMPARE(edit.text(), QStringLiteral("0"));
        QCOMPARE(edit.value(), 0);
        QCOMPARE(edit.formatString(), QStringLiteral("%d"));
        QCOMPARE(edit.colorNormal(), ColorValue(0));
        QCOMPARE(edit.colorWarning(), ColorValue(0x000000FF));
        QVERIFY(!edit.validate());
        QVERIFY(edit.autoSelect());
        QCOMPARE(edit.minValue(), 0);
        QCOMPARE(edit.maxValue(), 0);
    }

    void valueReading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        // clang-format off
        QTest::newRow("empty") << "" << 0;
        // A lone sign is no entry yet, like an empty edit.
        QTest::newRow("minus alone") << "-" << 0;
        QTest::newRow("plus alone") << "+" << 0;
        QTest::newRow("eleven nines") << "99999999999" << -100;
        QTest::newRow("just above 32 bits") << "2147483648" << -100;
        QTest::newRow("largest") << "2147483647" << std::numeric_limits<int>::max();
        QTest::newRow("smallest") << "-2147483648" << std::numeric_limits<int>::min();
        QTest::newRow("plain") << "123" << 123;
        QTest::newRow("negative") << "-45" << -45;
        QTest::newRow("plus sign") << "+45" << 45;
        QTest::newRow("leading zeros") << "007" << 7;
        QTest::newRow("leading blank") << " 5" << -100;
        QTest::newRow("letters") << "12a" << -100;
        QTest::newRow("two signs") << "5-" << -100;
        // clang-format on
    }

    void valueReading()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        TIntegerEdit edit;
        edit.setMinValue(-100);
        edit.setMaxValue(999);
        edit.setValidate(true);
        edit.setText(text);
        QCOMPARE(edit.value(), expected);
        // Reading neither changes the text nor the colour.
        QCOMPARE(edit.text(), text);
        QCOMPARE(edit.fontColor(), edit.colorNormal());
    }

    void validateOffLeavesNumbersAlone_data()
    {
        QTest::addColumn<int>("number");
        // clang-format off
        QTest::newRow("above") << 5000;
        QTest::newRow("below") << -5000;
        QTest::newRow("inside") << 12;
        // clang-format on
    }

    void validateOffLeavesNumbersAlone()
    {
        QFETCH(int, number);
        TIntegerEdit edit;
        applyDaysPanelSettings(&edit);
        int flows = 0;
        edit.OnOverflow = [&](QObject *) { ++flows; };
        edit.OnUnderflow = [&](QObject *) { ++flows; };
        edit.setValue(number);
        QCOMPARE(edit.text(), QString::number(number));
        QCOMPARE(edit.value(), number);
        edit.updateText();
        QCOMPARE(edit.value(), number);
        QCOMPARE(edit.fontColor(), edit.colorNormal());
        QCOMPARE(flows, 0);
    }

    void clampOnLeaving_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("overflows");
        QTest::addColumn<int>("underflows");
        // clang-format off
        QTest::newRow("above") << "5000" << "999" << 1 << 0;
        QTest::newRow("below") << "-500" << "-100" << 0 << 1;
        QTest::newRow("inside") << "-17" << "-17" << 0 << 0;
        QTest::newRow("lone sign") << "-" << "0" << 0 << 0;
        // clang-format on
    }

    void clampOnLeaving()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, overflows);
        QFETCH(int, underflows);

        Host host;
        TIntegerEdit *edit = host.edit;
        edit->setMinValue(-100);
        edit->setMaxValue(999);
        edit->setValidate(true);
        int over = 0;
        int under = 0;
        int exits = 0;
        edit->OnOverflow = [&](QObject *sender) {
            QCOMPARE(sender, edit);
            ++over;
        };
        edit->OnUnderflow = [&](QObject *) { ++under; };
        edit->OnExit = [&](QObject *) {
            // The exit handler runs before the text is re-formatted.
            QCOMPARE(edit->text(), typed);
            ++exits;
        };
        QVERIFY(host.showActive());

        edit->setFocus(Qt::TabFocusReason);
        QVERIFY(edit->hasFocus());
        QVERIFY(edit->hasSelectedText()); // the "0" is selected and replaced by typing
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), typed);
        const int expectedBefore = typed == QLatin1String("-") ? 0 : typed.toInt();
        QCOMPARE(edit->value(), expectedBefore);
        QCOMPARE(edit->fontColor(), edit->colorNormal());

        host.other->setFocus(Qt::TabFocusReason);
        QVERIFY(!edit->hasFocus());
        QCOMPARE(exits, 1);
        QCOMPARE(edit->text(), shown);
        QCOMPARE(over, overflows);
        QCOMPARE(under, underflows);
        const bool warned = overflows + underflows > 0;
        QCOMPARE(edit->fontColor(), warned ? edit->colorWarning() : edit->colorNormal());
        QCOMPARE(edit->palette().color(QPalette::Text), warned ? QColor(255, 0, 0) : QColor(0, 0, 0));

        int enters = 0;
        edit->OnEnter = [&](QObject *) { ++enters; };
        edit->setFocus(Qt::TabFocusReason);
        QCOMPARE(enters, 1);
        QCOMPARE(edit->fontColor(), edit->colorNormal());
        QCOMPARE(edit->palette().color(QPalette::Text), QColor(0, 0, 0));
        QCOMPARE(over, overflows);
    }

    void autoSelectOnEntering()
    {
        Host host;
        host.edit->setValue(123);
        QVERIFY(host.showActive());
        host.edit->setFocus(Qt::TabFocusReason);
        QCOMPARE(host.edit->selectedText(), QStringLiteral("123"));

        host.other->setFocus(Qt::TabFocusReason);
        host.edit->setAutoSelect(false);
        host.edit->setFocus(Qt::TabFocusReason);
        QVERIFY(!host.edit->hasSelectedText());

        // With AutoSelect on, a left-button press places the caret instead of selecting.
        host.other->setFocus(Qt::TabFocusReason);
        host.edit->setAutoSelect(true);
        QTest::mouseClick(host.edit, Qt::LeftButton, Qt::NoModifier, QPoint(3, host.edit->height() / 2));
        QVERIFY(host.edit->hasFocus());
        QVERIFY(!host.edit->hasSelectedText());
    }

    void typedCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("keyPresses");
        // clang-format off
        QTest::newRow("letter refused") << "12" << 2 << 0 << "a" << "12" << 0;
        QTest::newRow("space refused") << "12" << 2 << 0 << " " << "12" << 0;
        QTest::newRow("point refused") << "12" << 2 << 0 << "." << "12" << 0;
        QTest::newRow("minus into empty") << "" << 0 << 0 << "-" << "-" << 1;
        QTest::newRow("plus into empty") << "" << 0 << 0 << "+" << "+" << 1;
        QTest::newRow("minus after digit") << "" << 0 << 0 << "5-" << "5" << 1;
        QTest::newRow("second minus") << "-" << 1 << 0 << "-" << "-" << 0;
        QTest::newRow("digit appended") << "12" << 2 << 0 << "7" << "127" << 1;
        QTest::newRow("digit in the middle") << "12" << 1 << 0 << "7" << "172" << 1;
        QTest::newRow("minus at front") << "12" << 0 << 0 << "-" << "-12" << 1;
        QTest::newRow("selection replaced") << "135" << 1 << 1 << "2" << "125" << 1;
        QTest::newRow("whole text replaced") << "135" << 0 << 3 << "-" << "-" << 1;
        QTest::newRow("beyond 32 bits") << "214748364" << 9 << 0 << "8" << "214748364" << 0;
        QTest::newRow("up to 32 bits") << "214748364" << 9 << 0 << "7" << "2147483647" << 1;
        // clang-format on
    }

    void typedCharacters()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QFETCH(int, keyPresses);
        TIntegerEdit edit;
        int presses = 0;
        edit.OnKeyPress = [&](QObject *, QChar &) { ++presses; };
        edit.setText(text);
        edit.setCursorPosition(selStart);
        if (selLength > 0)
            edit.setSelection(selStart, selLength);
        QTest::keyClicks(&edit, typed);
        QCOMPARE(edit.text(), expected);
        QCOMPARE(presses, keyPresses);
    }

    void keyPressHandlerCanDropOrChange()
    {
        TIntegerEdit edit;
        edit.setText(QString());
        edit.OnKeyPress = [](QObject *, QChar &key) {
            if (key == QLatin1Char('1'))
                key = QChar();
            else if (key == QLatin1Char('2'))
                key = QLatin1Char('9');
        };
        QTest::keyClicks(&edit, QStringLiteral("1234"));
        QCOMPARE(edit.text(), QStringLiteral("934"));
    }

    void backspaceAndDelete_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("delete at end") << "42" << 2 << int(Qt::Key_Delete) << "42";
        QTest::newRow("backspace at start") << "42" << 0 << int(Qt::Key_Backspace) << "42";
        QTest::newRow("delete inside") << "42" << 0 << int(Qt::Key_Delete) << "2";
        QTest::newRow("backspace inside") << "42" << 2 << int(Qt::Key_Backspace) << "4";
        QTest::newRow("delete sign of smallest") << "-2147483648" << 0 << int(Qt::Key_Delete) << "-2147483648";
        QTest::newRow("backspace sign of smallest") << "-2147483648" << 1 << int(Qt::Key_Backspace) << "-2147483648";
        // clang-format on
    }

    void backspaceAndDelete()
    {
        QFETCH(QString, text);
        QFETCH(int, cursor);
        QFETCH(int, key);
        QFETCH(QString, expected);
        TIntegerEdit edit;
        edit.setText(text);
        edit.setCursorPosition(cursor);
        QTest::keyClick(&edit, Qt::Key(key));
        QCOMPARE(edit.text(), expected);
    }

    void backspaceAtStartIsPassedOn()
    {
        TIntegerEdit edit;
        edit.setText(QStringLiteral("42"));
        edit.setCursorPosition(0);
        QList<QChar> seen;
        edit.OnKeyPress = [&](QObject *, QChar &key) { seen.append(key); };
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(seen, QList<QChar>{QChar(8)});
    }

    void paste_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("digit over middle") << "135" << 1 << 1 << "2" << "125";
        QTest::newRow("number over lone minus") << "-" << 0 << 1 << "-5" << "-5";
        QTest::newRow("letter refused") << "135" << 1 << 1 << "x" << "135";
        QTest::newRow("at caret") << "12" << 1 << 0 << "34" << "1342";
        QTest::newRow("sign inside refused") << "12" << 1 << 0 << "-" << "12";
        QTest::newRow("blank refused") << "12" << 2 << 0 << " 3" << "12";
        QTest::newRow("empty text clears selection") << "135" << 0 << 3 << "" << "";
        // clang-format on
    }

    void paste()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, clipboard);
        QFETCH(QString, expected);
        TIntegerEdit edit;
        edit.setText(text);
        edit.setCursorPosition(selStart);
        if (selLength > 0)
            edit.setSelection(selStart, selLength);
        Clipboard::setText(clipboard);
        QCOMPARE(Clipboard::text(), std::optional<QString>(clipboard));

        QList<int> downs;
        edit.OnKeyDown = [&](QObject *, int &key, Qt::KeyboardModifiers) { downs.append(key); };
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit.text(), expected);
        QVERIFY(MessageBox::shown().isEmpty());
        // The key-down handler sees Ctrl go down, then V; V is cleared only when the paste went in.
        const bool pasted = expected != text || clipboard.isEmpty();
        QCOMPARE(downs, (QList<int>{int(Qt::Key_Control), pasted ? 0 : int(Qt::Key_V)}));
        // The clipboard is left as it was.
        QCOMPARE(Clipboard::text(), std::optional<QString>(clipboard));
    }

    void pasteWithoutText()
    {
        TIntegerEdit edit;
        edit.setText(QStringLiteral("12"));
        putNoText();
        QVERIFY(!Clipboard::text().has_value());
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit.text(), QStringLiteral("12"));
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().kind, MessageBox::Kind::Information);
        QCOMPARE(MessageBox::shown().first().text, QStringLiteral("No text on the Clipboard"));

        Clipboard::clear();
        QVERIFY(!Clipboard::text().has_value());
    }

    void otherPasteRoutesAreChecked()
    {
        TIntegerEdit edit;
        edit.setText(QStringLiteral("12"));
        edit.setCursorPosition(2);
        Clipboard::setText(QStringLiteral("x"));
        QTest::keyClick(&edit, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(edit.text(), QStringLiteral("12"));

        std::unique_ptr<QMenu> menu(edit.createCheckedContextMenu());
        QAction *pasteAction = menu->findChild<QAction *>(QStringLiteral("edit-paste"));
        QVERIFY(pasteAction);
        pasteAction->trigger();
        QCOMPARE(edit.text(), QStringLiteral("12"));
        Clipboard::setText(QStringLiteral("3"));
        pasteAction->trigger();
        QCOMPARE(edit.text(), QStringLiteral("123"));

        // The menu offers no undo that could bring back an unchecked text.
        for (QAction *action : menu->actions())
            QVERIFY(!action->text().contains(QLatin1String("Undo")));
    }

    void undoDoesNothing()
    {
        TIntegerEdit edit;
        edit.setText(QString());
        QTest::keyClicks(&edit, QStringLiteral("12"));
        QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(edit.text(), QStringLiteral("12"));
        QTest::keyClick(&edit, Qt::Key_Backspace, Qt::ControlModifier);
        QCOMPARE(edit.text(), QStringLiteral("12"));
    }

    void copy()
    {
        TIntegerEdit edit;
        edit.setText(QStringLiteral("1357"));
        edit.setSelection(1, 2);
        Clipboard::setText(QStringLiteral("old"));
        QTest::keyClick(&edit, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard::text(), std::optional<QString>(QStringLiteral("35")));
        QCOMPARE(edit.text(), QStringLiteral("1357"));
    }

    void cut_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<int>("keyDown");
        // clang-format off
        QTest::newRow("digit cut") << "135" << 1 << 1 << "15" << "3" << int(Qt::Key_Delete);
        QTest::newRow("all cut") << "-12" << 0 << 3 << "" << "-12" << int(Qt::Key_Delete);
        // clang-format on
        // Without its sign the smallest number no longer fits in 32 bits.
        // clang-format off
        QTest::newRow("refused") << "-2147483648" << 0 << 1 << "-2147483648" << "old" << 0;
        QTest::newRow("no selection") << "135" << 1 << 0 << "135" << "old" << int(Qt::Key_X);
        // clang-format on
    }

    void cut()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, expected);
        QFETCH(QString, clipboard);
        QFETCH(int, keyDown);
        TIntegerEdit edit;
        edit.setText(text);
        edit.setCursorPosition(selStart);
        if (selLength > 0)
            edit.setSelection(selStart, selLength);
        Clipboard::setText(QStringLiteral("old"));
        int seenKey = -1;
        edit.OnKeyDown = [&](QObject *, int &key, Qt::KeyboardModifiers) { seenKey = key; };
        QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(edit.text(), expected);
        QCOMPARE(Clipboard::text(), std::optional<QString>(clipboard));
        QCOMPARE(seenKey, keyDown);
    }

    void keyDownHandlerCanClearKey()
    {
        TIntegerEdit edit;
        edit.setText(QStringLiteral("42"));
        edit.setCursorPosition(0);
        edit.OnKeyDown = [](QObject *, int &key, Qt::KeyboardModifiers) {
            if (key == Qt::Key_Delete)
                key = 0;
        };
        QTest::keyClick(&edit, Qt::Key_Delete);
        QCOMPARE(edit.text(), QStringLiteral("42"));
    }

    void formatString_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("plain") << "%d" << -3 << "-3";
        QTest::newRow("zero padded") << "%.3d" << 7 << "007";
        QTest::newRow("zero padded wide number") << "%.3d" << 1234 << "1234";
        QTest::newRow("width") << "%5d" << 42 << "   42";
        QTest::newRow("zero flag") << "%05d" << -42 << "-0042";
        QTest::newRow("with literal text") << "%d days" << 5 << "5 days";
        QTest::newRow("percent literal") << "%%%d" << 5 << "%5";
        QTest::newRow("hex") << "%x" << 255 << "ff";
        QTest::newRow("hostile") << "%s%s%n" << 5 << "5";
        QTest::newRow("string conversion") << "%s" << 5 << "5";
        QTest::newRow("two conversions") << "%d%d" << 5 << "5";
        QTest::newRow("no conversion") << "abc" << 5 << "5";
        QTest::newRow("empty") << "" << 5 << "5";
        QTest::newRow("trailing percent") << "%d%" << 5 << "5";
        QTest::newRow("huge width") << "%999999999d" << 5 << "5";
        QTest::newRow("star width") << "%*d" << 5 << "5";
        QTest::newRow("long modifier") << "%ld" << 5 << "5";
        QTest::newRow("pointer") << "%p" << 5 << "5";
        // clang-format on
    }

    void formatString()
    {
        QFETCH(QString, format);
        QFETCH(int, number);
        QFETCH(QString, expected);
        QCOMPARE(TIntegerEdit::formatNumber(format, number), expected);

        TIntegerEdit edit;
        edit.setFormatString(format);
        edit.setValue(number);
        QCOMPARE(edit.text(), expected);
    }

    void formatChangeReformats()
    {
        TIntegerEdit edit;
        edit.setText(QStringLiteral("7"));
        edit.setFormatString(QStringLiteral("%.3d"));
        QCOMPARE(edit.text(), QStringLiteral("007"));
        QCOMPARE(edit.value(), 7);

        edit.setMinValue(10);
        edit.setMaxValue(20);
        edit.setValidate(true);
        QCOMPARE(edit.text(), QStringLiteral("010"));
        QCOMPARE(edit.fontColor(), edit.colorWarning());
    }

    void upsideDownRange()
    {
        TIntegerEdit edit;
        edit.setMinValue(50);
        edit.setMaxValue(10);
        edit.setValidate(true);
        // MinValue is tested first: everything below it gives MinValue, the rest MaxValue.
        edit.setValue(30);
        QCOMPARE(edit.text(), QStringLiteral("50"));
        edit.setValue(60);
        QCOMPARE(edit.text(), QStringLiteral("10"));
    }

    void keyUpCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("pressedHere");
        QTest::addColumn<QList<int>>("expected");
        // A release counts only for a key that went down in the edit.
        // clang-format off
        QTest::newRow("return") << int(Qt::Key_Return) << true << QList<int>{13};
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << true << QList<int>{13};
        QTest::newRow("digit") << int(Qt::Key_5) << true << QList<int>{int(Qt::Key_5)};
        QTest::newRow("escape") << int(Qt::Key_Escape) << true << QList<int>{int(Qt::Key_Escape)};
        QTest::newRow("return pressed elsewhere") << int(Qt::Key_Return) << false << QList<int>{};
        QTest::newRow("digit pressed elsewhere") << int(Qt::Key_5) << false << QList<int>{};
        // clang-format on
    }

    void keyUpCodes()
    {
        QFETCH(int, key);
        QFETCH(bool, pressedHere);
        QFETCH(QList<int>, expected);
        Host host;
        QList<int> ups;
        host.edit->OnKeyUp = [&](QObject *sender, int &k, Qt::KeyboardModifiers) {
            QCOMPARE(sender, host.edit);
            ups.append(k);
        };
        QTest::keyPress(pressedHere ? static_cast<QWidget *>(host.edit) : host.other, Qt::Key(key));
        QTest::keyRelease(host.edit, Qt::Key(key));
        // A second release of the same key has no press of its own.
        QTest::keyRelease(host.edit, Qt::Key(key));
        QCOMPARE(ups, expected);
    }

    void enterIsNoCharacter()
    {
        TIntegerEdit edit;
        edit.setText(QStringLiteral("12"));
        int presses = 0;
        QList<int> downs;
        edit.OnKeyPress = [&](QObject *, QChar &) { ++presses; };
        edit.OnKeyDown = [&](QObject *, int &k, Qt::KeyboardModifiers) { downs.append(k); };
        QTest::keyClick(&edit, Qt::Key_Return);
        QCOMPARE(edit.text(), QStringLiteral("12"));
        QCOMPARE(presses, 0);
        QCOMPARE(downs, QList<int>{13});
    }

    void daysPanelSettings()
    {
        TIntegerEdit edit;
        applyDaysPanelSettings(&edit);
        QCOMPARE(edit.objectName(), QStringLiteral("IntegerEdit1"));
        QCOMPARE(edit.textAlignment(), TCommonEdit::TextAlignment::Left);
        QVERIFY(edit.alignment() & Qt::AlignLeft);
        QCOMPARE(edit.colorNormal(), ColorValue(0));
        QCOMPARE(edit.colorWarning(), ColorValue(0x000000FF));
        QCOMPARE(edit.formatString(), QStringLiteral("%d"));
        QVERIFY(!edit.validate());
        QCOMPARE(edit.maxValue(), 999);
        QCOMPARE(edit.minValue(), -100);
        QCOMPARE(edit.text(), QStringLiteral("0"));
        QCOMPARE(edit.value(), 0);
        QCOMPARE(edit.size(), QSize(41, 21));
        QCOMPARE(edit.font().pixelSize(), 11);
        QCOMPARE(edit.fontColor(), ColorValue(0));

        // As the window uses it: emptied, the number typed, read back.
        edit.clear();
        QCOMPARE(edit.value(), 0);
        QTest::keyClicks(&edit, QStringLiteral("-7"));
        QCOMPARE(edit.value(), -7);
    }

    void alignment()
    {
        TIntegerEdit edit;
        edit.setTextAlignment(TCommonEdit::TextAlignment::Right);
        QVERIFY(edit.alignment() & Qt::AlignRight);
        edit.setTextAlignment(TCommonEdit::TextAlignment::Center);
        QVERIFY(edit.alignment() & Qt::AlignHCenter);
    }

private:
    std::optional<TestSeams> m_seams;
};

QTEST_MAIN(TestIntegerEdit)
#include "TestIntegerEdit.moc"
