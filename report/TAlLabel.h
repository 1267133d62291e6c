// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A report label: a text on a band. It is measured when printed, so an auto-size label takes
// the size of its text at the printer's resolution.

#include "report/tAlControl.h"

class TAlLabel : public tAlControl
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(TAlignment Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(bool WordWrap READ wordWrap WRITE setWordWrap)
    Q_PROPERTY(unsigned Color READ color WRITE setColor)
    Q_PROPERTY(bool ParentFont READ parentFont WRITE setParentFont)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)

public:
    explicit TAlLabel(QWidget *parent = nullptr);

    void DoPrint(const QRect &rect, const QString &text) override;
    // The print rectangle of an auto-size label fitted to its print text (measured on the
    // canvas with its font), right-aligned labels keeping their right edge.
    QRect measured(GdiCanvas &canvas, const QRect &rect);

private:
    QString withinPage(const GdiCanvas &canvas, const QString &text, int left) const;
};
