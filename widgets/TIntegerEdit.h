// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An edit for one whole number. Every keystroke and paste that would leave anything but a
// (beginning of a) 32-bit signed number is refused; on leaving, the text is re-formatted and,
// with Validate on, clamped to MinValue..MaxValue with the warning colour and an event.
// A keystroke runs through the pipeline described at TCommonEdit::keyPressEvent; this edit
// only decides which characters it takes (classifyChar).

#include "widgets/TCommonEdit.h"

#include <optional>

class TIntegerEdit : public TCommonEdit
{
    Q_OBJECT

public:
    explicit TIntegerEdit(QWidget *parent = nullptr);

    // The range is taken as given; a MinValue above MaxValue is not corrected.
    int minValue() const { return m_minValue; }
    void setMinValue(int value) { m_minValue = value; }
    int maxValue() const { return m_maxValue; }
    void setMaxValue(int value) { m_maxValue = value; }

    // The number the text holds: 0 for an empty text or a lone sign, MinValue for a text that
    // is no number.
    // Reading changes nothing; writing clamps and shows the formatted result.
    int value() const;
    void setValue(int value);

    CharClass classifyChar(QChar c) const override;
    void updateText() override;
    bool isValidText(const QString &candidate) const override;

    // An optional sign followed by decimal digits, within 32 bits; nothing else (no blanks).
    static std::optional<int> toWholeNumber(QStringView text);
    // A printf-style format applied to one integer. A format that does not hold exactly one
    // integer conversion (%d %i %u %x %X %o with flags, width and precision) gives the plain
    // decimal form instead, so a careless format can never read arguments that are not there.
    static QString formatNumber(const QString &format, int number);

private:
    int clamp(int number);

    int m_minValue = 0;
    int m_maxValue = 0;
};
