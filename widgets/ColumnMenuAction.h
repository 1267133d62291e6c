// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A block of menu entries laid out in columns inside a popup menu, for a submenu whose entries
// are meant to stand side by side (such as "1" to "10" beside "11" to "20"). Each entry stays
// an ordinary QAction with its own name: choosing it, with the mouse or with the arrow keys
// and Return, triggers the action and closes the menus.

#include <QList>
#include <QWidgetAction>

class ColumnMenuAction : public QWidgetAction
{
    Q_OBJECT

public:
    ColumnMenuAction(QList<QList<QAction *>> columns, QObject *parent);

    const QList<QList<QAction *>> &columns() const { return m_columns; }

protected:
    QWidget *createWidget(QWidget *parent) override;

private:
    QList<QList<QAction *>> m_columns;
};
