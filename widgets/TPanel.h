// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A plain panel: a colour with a one-pixel raised bevel and no caption; the days panel of the
// main window holds its label, integer edit and buttons.

#include "core/ColorValue.h"

#include <QWidget>

class TPanel : public QWidget
{
    Q_OBJECT

public:
    explicit TPanel(QWidget *parent = nullptr);

    ColorValue color() const { return m_color; }
    void setColor(ColorValue color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ColorValue m_color = SystemColor::ButtonFace;
};
