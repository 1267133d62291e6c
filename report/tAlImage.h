// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A report picture: a bitmap stretched into its place, or composed at its screen size and
// centred; without a bitmap it shows and prints a dash-dot frame.

#include "report/tAlControl.h"

#include <QImage>

class tAlImage : public tAlControl
{
    Q_OBJECT
    Q_PROPERTY(bool Autosize READ pictureAutosize WRITE setPictureAutosize)
    Q_PROPERTY(bool Center READ center WRITE setCenter)
    Q_PROPERTY(bool Stretch READ stretch WRITE setStretch)
    Q_PROPERTY(QImage Picture READ picture WRITE setPicture)

public:
    explicit tAlImage(QWidget *parent = nullptr);

    bool pictureAutosize() const { return m_autosize; }
    void setPictureAutosize(bool autosize);
    bool center() const { return m_center; }
    void setCenter(bool center);
    bool stretch() const { return m_stretch; }
    void setStretch(bool stretch);
    const QImage &picture() const { return m_picture; }
    void setPicture(const QImage &picture);
    // Sizes the control to the picture when Autosize is on, and redraws.
    void PicChanged();

    void DoPrint(const QRect &rect, const QString &text) override;

protected:
    void paintFace(GdiCanvas &canvas) override;

private:
    // The picture drawn into an image of the control's size, at (0, 0) or centred.
    QImage composed() const;
    // The picture (stretched, or composed at its screen size) or the frame, into a rectangle.
    void drawInto(GdiCanvas &canvas, const QRect &rect) const;

    bool m_autosize = false;
    bool m_center = true;
    bool m_stretch = true;
    QImage m_picture;
};
