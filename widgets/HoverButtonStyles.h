#pragma once
// The looks the windows give their hover buttons: size, colours and font of each kind of
// button, so that a window sets up a button with one call.

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
