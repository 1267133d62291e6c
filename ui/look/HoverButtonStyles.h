// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The looks the windows give their hover buttons: size, colours and font of each kind of
// button, so that a window sets up a button with one call.

#include <QPoint>
#include <QString>

class QWidget;
class THoverButton;

enum class HoverButtonStyle {
    Purchase,
    ResetAllRed,
    ReCheck,
    Close,
    PrintMain,
    PrintDialog,
    DaysPanel,
    TitleX,
    TitleMin,
    TitleOnTop,
    TitleTray,
};

// Sets the size (keeping the position), the colours and the font; the caption is left alone.
void applyStyle(THoverButton *button, HoverButtonStyle style);

// A hover button of the given look, name and caption at a place of its parent.
THoverButton *createHoverButton(QWidget *parent, const QString &name, const QString &caption, HoverButtonStyle style,
                                QPoint pos);
