// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 100 name fields as plain colour pairs for the inventory rules; a slot outside 1..100
// is counted, not crashed on.

#include "FieldColorsPrinting.h"
#include "core/FieldColorAccess.h"
#include "core/RecordLine.h"
#include "core/TextLines.h"

#include <array>

class FakeFields : public FieldColorAccess
{
public:
    FieldColors colors(int slot) const override
    {
        if (!valid(slot)) {
            ++m_badSlots;
            return {};
        }
        return m_fields[static_cast<size_t>(slot - 1)];
    }
    void setColors(int slot, FieldColors value) override
    {
        if (!valid(slot)) {
            ++m_badSlots;
            return;
        }
        ++m_writes;
        m_fields[static_cast<size_t>(slot - 1)] = value;
    }
    FieldColors &at(int slot) { return m_fields[static_cast<size_t>(slot - 1)]; }
    int badSlots() const { return m_badSlots; }
    int writes() const { return m_writes; }

private:
    static bool valid(int slot) { return slot >= 1 && slot <= 100; }
    std::array<FieldColors, 100> m_fields{};
    mutable int m_badSlots = 0;
    int m_writes = 0;
};

// 100 empty record lines with the given line in the given slot.
inline TextLines recordsWith(int slot, const QString &line)
{
    QStringList lines(100, RecordLine::Empty);
    lines[slot - 1] = line;
    return TextLines(lines);
}
