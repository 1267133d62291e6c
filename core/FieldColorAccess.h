// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colours of the 100 name fields as the inventory rules see them. The main window
// implements it over its fields; the reports (and tests) keep them in a plain table.

#include "core/FieldColors.h"

#include <QList>
#include <array>
#include <cstddef>

class FieldColorAccess
{
public:
    virtual ~FieldColorAccess() = default;
    // Slots are 1..100.
    virtual FieldColors colors(int slot) const = 0;
    virtual void setColors(int slot, FieldColors colors) = 0;
};

// The backgrounds of slots 1..count, as the colours file stores them.
inline QList<ColorValue> backgrounds(const FieldColorAccess &fields, int count)
{
    QList<ColorValue> list;
    for (int slot = 1; slot <= count; ++slot)
        list.append(fields.colors(slot).background);
    return list;
}

// The colours of the 100 slots in a table of their own, all in the plain state at first.
class FieldColorTable : public FieldColorAccess
{
public:
    FieldColors colors(int slot) const override { return m_colors.at(std::size_t(slot - 1)); }
    void setColors(int slot, FieldColors colors) override { m_colors.at(std::size_t(slot - 1)) = colors; }

private:
    std::array<FieldColors, 100> m_colors{};
};
