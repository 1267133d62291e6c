// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/TAlSysField.h"

#include "platform/Clock.h"
#include "report/TAlPrinter.h"

#include <QEvent>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>

namespace {
QString shortDate()
{
    return QLocale::system().toString(Clock::today(), QLocale::ShortFormat);
}

// The locale's long time format without the time zone, which a printed time does not show.
QString longTime()
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone(QStringLiteral("\\s*t+\\s*"));
    format.replace(zone, QString());
    return QTime::currentTime().toString(format.trimmed());
}
} // namespace

TAlSysField::TAlSysField(QWidget *parent)
    : TAlLabel(parent)
{
    setColor(0x00FFFFFF);
    setCaption(placeholder(m_dataType));
}

void TAlSysField::setDataType(tAlSysDataType type)
{
    m_dataType = type;
    setCaption(placeholder(type));
}

QString TAlSysField::placeholder(tAlSysDataType type) const
{
    switch (type) {
    case alr_Time:
        return QStringLiteral("#hh:mm:ss#");
    case alr_Date:
        return QStringLiteral("#tt.mm.jjjj#");
    case alr_DateTime:
        return QStringLiteral("#tt.mm.jjjj hh:mm:ss#");
    case alr_PageNum:
        return QStringLiteral("#Page#");
    case alr_Counter:
        return QStringLiteral("#Counter#");
    case alr_Count:
        return QStringLiteral("#Count#");
    case alr_FormName: {
        const QWidget *owner = ownerWindow();
        return QLatin1Char('#') + (owner ? owner->objectName() : QString()) + QLatin1Char('#');
    }
    }
    return {};
}

QString TAlSysField::GetPrintText()
{
    switch (m_dataType) {
    case alr_Time:
        return longTime();
    case alr_Date:
        return shortDate();
    case alr_DateTime:
        return shortDate() + QLatin1Char(' ') + longTime();
    case alr_PageNum:
        return QString::number(TAlPrinter::shared().PageNumber());
    case alr_Counter:
        return QString::number(m_counter + 1);
    case alr_Count:
        return QStringLiteral("E");
    case alr_FormName: {
        const QWidget *owner = ownerWindow();
        return owner ? owner->objectName() : QString();
    }
    }
    return {};
}

bool TAlSysField::event(QEvent *event)
{
    if (event->type() == QEvent::ParentChange)
        setCaption(placeholder(m_dataType));
    return TAlLabel::event(event);
}

bool TAlSysField::NextRecord()
{
    ++m_counter;
    return false;
}
