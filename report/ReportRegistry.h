// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Creates the report components by class name, as a stored window description names them:
// "TAlReport", "tAlBand", "TAlField", "TAlLabel", "TAlSysField", "TAlShape", "tAlImage",
// "TAlDetailLink". Unknown names give nullptr; a wrong parent throws ReportError.

#include <QObject>
#include <QStringList>

class QWidget;

QStringList reportClassNames();
QObject *createReportComponent(const QString &className, QWidget *parent);
