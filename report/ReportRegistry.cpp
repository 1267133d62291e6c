// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ReportRegistry.h"

#include "report/TAlDetailLink.h"
#include "report/TAlField.h"
#include "report/TAlReport.h"
#include "report/TAlShape.h"
#include "report/TAlSysField.h"
#include "report/tAlBand.h"
#include "report/tAlImage.h"

#include <QWidget>
#include <functional>
#include <map>

namespace {
using Maker = std::function<QObject *(QWidget *)>;

const std::map<QString, Maker> &makers()
{
    static const std::map<QString, Maker> table{
        {QStringLiteral("TAlReport"), [](QWidget *p) -> QObject * { return new TAlReport(p); }},
        {QStringLiteral("tAlBand"), [](QWidget *p) -> QObject * { return new tAlBand(p); }},
        {QStringLiteral("TAlField"), [](QWidget *p) -> QObject * { return new TAlField(p); }},
        {QStringLiteral("TAlLabel"), [](QWidget *p) -> QObject * { return new TAlLabel(p); }},
        {QStringLiteral("TAlSysField"), [](QWidget *p) -> QObject * { return new TAlSysField(p); }},
        {QStringLiteral("TAlShape"), [](QWidget *p) -> QObject * { return new TAlShape(p); }},
        {QStringLiteral("tAlImage"), [](QWidget *p) -> QObject * { return new tAlImage(p); }},
        {QStringLiteral("TAlDetailLink"), [](QWidget *p) -> QObject * { return new TAlDetailLink(p); }},
    };
    return table;
}
} // namespace

QStringList reportClassNames()
{
    QStringList names;
    for (const auto &entry : makers())
        names.append(entry.first);
    return names;
}

QObject *createReportComponent(const QString &className, QWidget *parent)
{
    const auto found = makers().find(className);
    return found == makers().end() ? nullptr : found->second(parent);
}
