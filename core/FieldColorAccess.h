// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colours of the 100 name fields as the inventory rules see them. The main window
// implements it over its fields; tests implement it over a plain array.

#include "core/FieldColors.h"

class FieldColorAccess
{
public:
    virtual ~FieldColorAccess() = default;
    // Slots are 1..100.
    virtual FieldColors colors(int slot) const = 0;
    virtual void setColors(int slot, FieldColors colors) = 0;
};
