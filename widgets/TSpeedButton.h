// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A flat speed button showing a glyph whose bottom-left pixel colour is transparent; the
// raised edge shows only while the pointer is over it. The main window's help button.

#include "widgets/Events.h"

#include <QImage>
#include <QWidget>

class TSpeedButton : public QWidget
{
    Q_OBJECT

public:
    explicit TSpeedButton(QWidget *parent = nullptr);

    void setGlyph(const QImage &glyph);
    const QImage &glyph() const { return m_glyph; }

    NotifyEvent OnClick;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage m_glyph;
    bool m_hot = false;
    bool m_down = false;
};
