// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Groups the records of a detail band by the value of one field: the group header prints
// before the first record of a new value, the group footer after the last record of a value.

#include "report/TAlField.h"
#include "report/tAlBand.h"

#include <QObject>
#include <QPointer>
#include <QString>

class TAlDetailLink : public QObject
{
    Q_OBJECT
    Q_PROPERTY(tAlBand *GroupHeader READ groupHeader WRITE setGroupHeader)
    Q_PROPERTY(tAlBand *GroupFooter READ groupFooter WRITE setGroupFooter)
    Q_PROPERTY(tAlBand *GroupBand READ groupBand WRITE setGroupBand)
    Q_PROPERTY(TAlField *DataSource READ dataSource WRITE setDataSource)

public:
    explicit TAlDetailLink(QObject *owner = nullptr);

    tAlBand *groupHeader() const { return m_groupHeader; }
    void setGroupHeader(tAlBand *band) { m_groupHeader = band; }
    tAlBand *groupFooter() const { return m_groupFooter; }
    void setGroupFooter(tAlBand *band) { m_groupFooter = band; }
    tAlBand *groupBand() const { return m_groupBand; }
    // Links the band and makes it refer back to this link; a band linked before lets go.
    void setGroupBand(tAlBand *band);
    TAlField *dataSource() const { return m_dataSource; }
    void setDataSource(TAlField *field) { m_dataSource = field; }

    enum class Look { Current, Next };
    // Whether the group value changes: at the current record (which the link then
    // remembers) or at the next one.
    bool changed(Look look);

private:
    QPointer<tAlBand> m_groupHeader;
    QPointer<tAlBand> m_groupFooter;
    QPointer<tAlBand> m_groupBand;
    QPointer<TAlField> m_dataSource;
    QString m_remembered;
};
