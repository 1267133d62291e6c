// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TStatusPanelsPro.h"

#include "widgets/TStatusBarPro.h"
#include "widgets/TStatusPanelPro.h"

TStatusPanelsPro::TStatusPanelsPro(TStatusBarPro *bar)
    : QObject(bar)
    , m_bar(bar)
{}

int TStatusPanelsPro::indexOf(const TStatusPanelPro *panel) const
{
    return int(m_items.indexOf(panel));
}

TStatusPanelPro *TStatusPanelsPro::add()
{
    auto *panel = new TStatusPanelPro(this);
    m_items.append(panel);
    collectionChanged();
    return panel;
}

void TStatusPanelsPro::remove(int index)
{
    if (index < 0 || index >= count())
        return;
    delete m_items.takeAt(index);
    collectionChanged();
}

void TStatusPanelsPro::clear()
{
    qDeleteAll(m_items);
    m_items.clear();
    collectionChanged();
}

void TStatusPanelsPro::panelChanged(TStatusPanelPro *panel)
{
    m_bar->invalidatePanel(panel);
}

void TStatusPanelsPro::collectionChanged()
{
    m_bar->layoutPanels();
}
