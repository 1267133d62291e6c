// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A report field: a label whose text comes from a list of data records that the application
// fills before printing. On a detail band it makes the band print once per record. A field
// named with a trailing "_" and no records of its own shows the field of the base name.

#include "report/TAlLabel.h"

#include <QStringList>

class TAlField : public TAlLabel
{
    Q_OBJECT

public:
    // Printed where a field has no value to show.
    static inline const QString noValueText = QStringLiteral("~");
    // Generous bound on the records of one field, so that a detail band always ends.
    static constexpr int maxRecords = 1'000'000;

    explicit TAlField(QWidget *parent = nullptr);

    // Appends a record value; duplicates are kept. Past maxRecords nothing more is taken.
    void addRecord(const QString &value);

    QString GetPrintText() override;
    // The next record's value, as the group change test of a detail link needs it.
    QString Peek();
    bool NextRecord() override;
    virtual void FirstRecord();
    virtual void ClearRecords();

private:
    // The field named by the base name when this one's name ends in "_".
    TAlField *baseField() const;
    // The value at an index when there is one, else the only value, else the no-value text.
    QString valueAt(int index) const;

    QStringList m_records;
    int m_index = 0;
};
