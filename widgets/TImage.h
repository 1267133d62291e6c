// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture control sized to its picture; a mouse press on it is reported to the window
// (which drags itself with it).

#include "platform/RunLengthImage.h"
#include "widgets/Events.h"

#include <QImage>
#include <QWidget>

class TImage : public QWidget
{
    Q_OBJECT

public:
    explicit TImage(QWidget *parent = nullptr);

    QImage picture() const;
    void setPicture(const QImage &picture);
    // An indexed picture already taken apart into runs (which may be done on another thread).
    void setPicture(RunLengthImage picture);

    MouseEvent OnMouseDown;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    // An indexed picture is kept as runs, any other as the image the screen draws fastest.
    RunLengthImage m_runs;
    QImage m_picture;
};
