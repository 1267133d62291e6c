// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/TAlDetailLink.h"

#include "report/TAlField.h"
#include "report/tAlBand.h"

TAlDetailLink::TAlDetailLink(QObject *owner)
    : QObject(owner)
{}

void TAlDetailLink::setGroupBand(tAlBand *band)
{
    // No band unlinks the one linked before.
    if (m_groupBand && m_groupBand != band && m_groupBand->detailLink() == this)
        m_groupBand->setDetailLink(nullptr);
    m_groupBand = band;
    if (band)
        band->setDetailLink(this);
}

bool TAlDetailLink::changed(Look look)
{
    if (!m_dataSource)
        return false;
    if (look == Look::Next)
        return !m_remembered.isEmpty() && m_remembered != m_dataSource->Peek();
    const QString current = m_dataSource->GetPrintText();
    const bool result = m_remembered.isEmpty() || m_remembered != current;
    m_remembered = current;
    return result;
}
