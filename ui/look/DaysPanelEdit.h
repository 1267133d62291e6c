// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The number field of the main window's days panel, IntegerEdit1, as the layout sets it up.

class TIntegerEdit;

// Names the edit and gives it the panel's range, colours, font and size.
void applyDaysPanelSettings(TIntegerEdit *edit);
