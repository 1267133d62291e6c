// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A report field that prints a value of the system: the time, the date, the page number, a
// counter of the band's outputs, the form's name. On the screen it shows a placeholder.

#include "report/TAlLabel.h"

class TAlSysField : public TAlLabel
{
    Q_OBJECT
    Q_PROPERTY(tAlSysDataType DataType READ dataType WRITE setDataType)

public:
    explicit TAlSysField(QWidget *parent = nullptr);

    tAlSysDataType dataType() const { return m_dataType; }
    // Sets the type and shows its placeholder as the caption.
    void setDataType(tAlSysDataType type);
    int counter() const { return m_counter; }

    QString GetPrintText() override;
    // Counts the outputs; the count is never reset, so a second print goes on counting.
    bool NextRecord() override;

    // The placeholder shown on the screen for a type, e.g. "#Page#".
    QString placeholder(tAlSysDataType type) const;

protected:
    // A field placed on another window shows that window's name.
    bool event(QEvent *event) override;

private:
    tAlSysDataType m_dataType = alr_Time;
    int m_counter = 0;
};
