// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The panels of a TStatusBarPro, in order. It owns the panels and reports their changes to
// the bar: a change of one panel redraws it, a change of the collection re-lays-out the bar.

#include <QList>
#include <QObject>

class TStatusBarPro;
class TStatusPanelPro;

class TStatusPanelsPro : public QObject
{
    Q_OBJECT

public:
    explicit TStatusPanelsPro(TStatusBarPro *bar);

    TStatusBarPro *bar() const { return m_bar; }
    int count() const { return int(m_items.size()); }
    TStatusPanelPro *item(int index) const { return m_items.value(index); }
    TStatusPanelPro *operator[](int index) const { return item(index); }
    int indexOf(const TStatusPanelPro *panel) const;

    TStatusPanelPro *add();
    void remove(int index);
    void clear();

    // Reports from the panels.
    void panelChanged(TStatusPanelPro *panel);
    void collectionChanged();

private:
    TStatusBarPro *m_bar;
    QList<TStatusPanelPro *> m_items;
};
