#pragma once
// A picture control sized to its picture; a mouse press on it is reported to the window
// (which drags itself with it).

#include "widgets/Events.h"

#include <QImage>
#include <QWidget>

class TImage : public QWidget
{
    Q_OBJECT

public:
    explicit TImage(QWidget *parent = nullptr);

    const QImage &picture() const { return m_picture; }
    void setPicture(const QImage &picture);

    MouseEvent OnMouseDown;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
};
