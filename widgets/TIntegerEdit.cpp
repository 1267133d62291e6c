// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TIntegerEdit.h"

#include <limits>

namespace {
bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isSign(QChar c)
{
    return c == QLatin1Char('-') || c == QLatin1Char('+');
}

// Width and precision are kept to two digits: "%999999999d" would only fill memory.
constexpr int MaxFieldDigits = 2;
} // namespace

TIntegerEdit::TIntegerEdit(QWidget *parent)
    : TCommonEdit(parent)
{
    // Setting the format shows the number at once: an empty edit starts out as "0".
    setFormatString(QStringLiteral("%d"));
}

std::optional<int> TIntegerEdit::toWholeNumber(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    bool negative = false;
    if (isSign(text.front())) {
        negative = text.front() == QLatin1Char('-');
        text = text.mid(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    constexpr qint64 limit = qint64(std::numeric_limits<int>::max()) + 1;
    qint64 number = 0;
    for (QChar c : text) {
        if (!isDigit(c))
            return std::nullopt;
        number = number * 10 + (c.unicode() - '0');
        if (number > limit)
            return std::nullopt;
    }
    if (negative)
        number = -number;
    if (number > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(number);
}

QString TIntegerEdit::formatNumber(const QString &format, int number)
{
    const QString plain = QString::number(number);
    const qsizetype size = format.size();
    int conversions = 0;
    bool unsignedConversion = false;

    auto skipDigits = [&](qsizetype &i) {
        int digits = 0;
        while (i < size && isDigit(format[i])) {
            ++i;
            ++digits;
        }
        return digits <= MaxFieldDigits;
    };

    for (qsizetype i = 0; i < size; ++i) {
        if (format[i] != QLatin1Char('%'))
            continue;
        ++i;
        if (i < size && format[i] == QLatin1Char('%'))
            continue;
        while (i < size && QStringView(u"-+ 0#").contains(format[i]))
            ++i;
        if (!skipDigits(i))
            return plain;
        if (i < size && format[i] == QLatin1Char('.')) {
            ++i;
            if (!skipDigits(i))
                return plain;
        }
        if (i >= size)
            return plain;
        const QChar conversion = format[i];
        if (conversion == QLatin1Char('d') || conversion == QLatin1Char('i'))
            unsignedConversion = false;
        else if (QStringView(u"uxXo").contains(conversion))
            unsignedConversion = true;
        else
            return plain;
        ++conversions;
    }
    if (conversions != 1)
        return plain;

    const QByteArray utf8 = format.toUtf8();
    if (unsignedConversion)
        return QString::asprintf(utf8.constData(), static_cast<unsigned>(number));
    return QString::asprintf(utf8.constData(), number);
}

int TIntegerEdit::value() const
{
    const QString t = text();
    // A lone sign is a number not yet begun: no entry, like an empty edit.
    if (t.isEmpty() || (t.size() == 1 && isSign(t.front())))
        return 0;
    return toWholeNumber(t).value_or(m_minValue);
}

void TIntegerEdit::setValue(int value)
{
    setText(formatNumber(formatString(), clamp(value)));
}

int TIntegerEdit::clamp(int number)
{
    setFontColor(colorNormal());
    if (!validate())
        return number;
    // MinValue is tested first, so a range upside down still gives a definite answer.
    if (number < m_minValue) {
        setFontColor(colorWarning());
        if (OnUnderflow)
            OnUnderflow(this);
        return m_minValue;
    }
    if (number > m_maxValue) {
        setFontColor(colorWarning());
        if (OnOverflow)
            OnOverflow(this);
        return m_maxValue;
    }
    return number;
}

TCommonEdit::CharClass TIntegerEdit::classifyChar(QChar c) const
{
    if (c == TypedChar::Backspace)
        return CharClass::Erase;
    if (isDigit(c) || isSign(c))
        return CharClass::Insert;
    return CharClass::Reject;
}

void TIntegerEdit::updateText()
{
    setValue(value());
}

bool TIntegerEdit::isValidText(const QString &candidate) const
{
    // An empty text and a lone sign are where a number begins.
    if (candidate.isEmpty() || (candidate.size() == 1 && isSign(candidate.front())))
        return true;
    return toWholeNumber(candidate).has_value();
}
