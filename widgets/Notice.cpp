// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Notice.h"

#include <QtGlobal>

namespace {
Notice::Sink &sink()
{
    static Notice::Sink s;
    return s;
}
} // namespace

void Notice::setSink(Sink s)
{
    sink() = std::move(s);
}

void Notice::tell(QWidget *near, Kind kind, const QString &text)
{
    if (sink())
        sink()(near, kind, text);
    else
        qWarning("%s", qPrintable(text));
}
