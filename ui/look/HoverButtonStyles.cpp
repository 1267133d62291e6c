// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/look/HoverButtonStyles.h"

#include "core/Palette.h"
#include "widgets/THoverButton.h"

namespace {
using namespace Palette;

struct Look
{
    int width;
    int height;
    ColorValue color;
    ColorValue border;
    ColorValue over;
    ColorValue down;
    ColorValue overCaption;
    GdiFont font;
};

Look lookOf(HoverButtonStyle style)
{
    const GdiFont arialNavy{QStringLiteral("Arial"), -11, Navy, false};
    switch (style) {
    case HoverButtonStyle::Purchase:
        return {22, 15, SystemColor::ButtonFace, Navy, Orange, Gold, Black, {QStringLiteral("Verdana"), -12, Navy, false}};
    case HoverButtonStyle::ResetAllRed:
        return {86, 22, Sand, Navy, Red, Red, Yellow, {QStringLiteral("Arial"), -11, Blue, false}};
    case HoverButtonStyle::ReCheck:
        return {86, 22, Sand, Navy, Gold, Sand, Navy, arialNavy};
    case HoverButtonStyle::Close:
        return {86, 22, Sand, Navy, Red, Sand, Yellow, arialNavy};
    case HoverButtonStyle::PrintMain:
        return {86, 22, Sand, Navy, Orange, Sand, Navy, arialNavy};
    case HoverButtonStyle::PrintDialog:
        return {86, 22, Sand, Navy, Gold, Sand, Black, arialNavy};
    case HoverButtonStyle::DaysPanel:
        return {47, 18, Sand, Navy, Gold, Sand, Black, arialNavy};
    case HoverButtonStyle::TitleX:
        return {22, 21, Red, White, Red, Red, Yellow, {QStringLiteral("Courier"), -21, White, true}};
    case HoverButtonStyle::TitleMin:
        return {22,        21,        TitleBlue, White,
                TitleBlue, TitleBlue, White,     {QStringLiteral("Courier New"), -24, White, true}};
    case HoverButtonStyle::TitleOnTop:
        return {22, 21, TitleBlue, White, TitleBlue, TitleBlue, White, {QStringLiteral("Wingdings"), -16, White, true}};
    case HoverButtonStyle::TitleTray:
        return {22, 21, TitleBlue, White, TitleBlue, TitleBlue, White, {QStringLiteral("Verdana"), -12, White, true}};
    }
    return {86, 22, SystemColor::ButtonFace, Slate, Gold, Gold, Black, {QStringLiteral("Arial"), -11, Black, false}};
}
} // namespace

void applyStyle(THoverButton *button, HoverButtonStyle style)
{
    const Look look = lookOf(style);
    button->resize(look.width, look.height);
    button->setColor(look.color);
    button->setColorBorder(look.border);
    button->setColorOver(look.over);
    button->setColorDown(look.down);
    button->setColorOverCaption(look.overCaption);
    button->setButtonFont(look.font);
    button->setButtonEnabled(true);
    button->setShowCaption(true);
}

THoverButton *createHoverButton(QWidget *parent, const QString &name, const QString &caption, HoverButtonStyle style,
                                QPoint pos)
{
    auto *button = new THoverButton(parent);
    button->setObjectName(name);
    applyStyle(button, style);
    button->setCaption(caption);
    button->move(pos);
    return button;
}
