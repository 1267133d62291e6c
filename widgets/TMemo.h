// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A hidden multi-line list: the window keeps its records list and names list in two of them
// ("Memo1" and "Memo2"). Word wrap is off by nature: one stored line is one list line.

#include "core/TextLines.h"

#include <QWidget>

class TMemo : public QWidget
{
    Q_OBJECT

public:
    explicit TMemo(QWidget *parent = nullptr)
        : QWidget(parent)
    {
        hide();
    }

    TextLines &lines() { return m_lines; }
    const TextLines &lines() const { return m_lines; }

private:
    // One empty line until start-up loads a data file.
    TextLines m_lines{QStringList{QString()}};
};
