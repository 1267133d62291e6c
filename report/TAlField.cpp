// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/TAlField.h"

TAlField::TAlField(QWidget *parent)
    : TAlLabel(parent)
{}

void TAlField::addRecord(const QString &value)
{
    if (m_records.size() < maxRecords)
        m_records.append(value);
}

TAlField *TAlField::baseField() const
{
    if (!objectName().endsWith(QLatin1Char('_')))
        return nullptr;
    const QString name = baseName();
    QWidget *owner = ownerWindow();
    if (name.isEmpty() || !owner)
        return nullptr;
    // The owner's component of that name: the first object so named, whatever its class.
    QObject *component = owner->findChild<QObject *>(name);
    auto *field = qobject_cast<TAlField *>(component);
    return field != this ? field : nullptr;
}

QString TAlField::valueAt(int index) const
{
    if (index >= 0 && index < m_records.size())
        return m_records.at(index);
    if (m_records.size() == 1)
        return m_records.front();
    return noValueText;
}

QString TAlField::GetPrintText()
{
    if (!m_records.isEmpty())
        return valueAt(m_index);
    if (TAlField *base = baseField())
        return base->GetPrintText();
    return noValueText;
}

QString TAlField::Peek()
{
    if (!m_records.isEmpty())
        return valueAt(m_index + 1);
    if (TAlField *base = baseField())
        return base->Peek();
    return caption();
}

bool TAlField::NextRecord()
{
    if (m_records.size() < 2)
        return false;
    if (m_index < m_records.size())
        ++m_index;
    return m_index < m_records.size();
}

void TAlField::FirstRecord()
{
    m_index = 0;
}

void TAlField::ClearRecords()
{
    m_records.clear();
    m_index = 0;
}
