// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/look/DaysPanelEdit.h"

#include "core/Palette.h"
#include "widgets/TIntegerEdit.h"

void applyDaysPanelSettings(TIntegerEdit *edit)
{
    edit->setObjectName(QStringLiteral("IntegerEdit1"));
    edit->setTextAlignment(TCommonEdit::TextAlignment::Left);
    edit->setColorNormal(Palette::Black);
    edit->setColorWarning(Palette::Red);
    edit->setMinValue(-100);
    edit->setMaxValue(999);
    edit->setValidate(false);
    edit->setFormatString(QStringLiteral("%d"));
    edit->setGdiFont(GdiFont{QStringLiteral("MS Sans Serif"), -11, Palette::Black, false});
    edit->setValue(0);
    edit->resize(41, 21);
}
