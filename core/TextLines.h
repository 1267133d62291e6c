// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An ordered list of text lines in which index N-1 belongs to item slot N: the records list
// and the names list. Reading past the end gives the empty text; replacing past the end
// does nothing, so a short list never grows by accident.

#include <QStringList>

class TextLines
{
public:
    TextLines() = default;
    explicit TextLines(QStringList lines)
        : m_lines(std::move(lines))
    {}

    int count() const { return static_cast<int>(m_lines.size()); }
    QString line(int index) const { return index >= 0 && index < count() ? m_lines.at(index) : QString(); }
    void setLine(int index, const QString &text)
    {
        if (index >= 0 && index < count())
            m_lines[index] = text;
    }
    void append(const QString &text) { m_lines.append(text); }
    void clear() { m_lines.clear(); }
    const QStringList &lines() const { return m_lines; }
    void setLines(QStringList lines) { m_lines = std::move(lines); }

    // Slot-based access (slot 1 is line 0).
    QString slotLine(int slot) const { return line(slot - 1); }
    void setSlotLine(int slot, const QString &text) { setLine(slot - 1, text); }

private:
    QStringList m_lines;
};
