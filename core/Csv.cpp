// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Csv.h"

namespace Csv {

namespace {
QString field(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
} // namespace

QString line(const QStringList &fields)
{
    QStringList out;
    for (const QString &text : fields)
        out.append(field(text));
    return out.join(QLatin1Char(','));
}

std::optional<QStringList> fields(QStringView line)
{
    QStringList out;
    QString current;
    bool quoted = false;
    bool wasQuoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c != QLatin1Char('"'))
                current.append(c);
            else if (i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"'))
                current.append(line.at(++i));
            else
                quoted = false;
        } else if (c == QLatin1Char(',')) {
            out.append(current);
            current.clear();
            wasQuoted = false;
        } else if (c == QLatin1Char('"') && current.isEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (wasQuoted) {
            // Text after a closing quote: the field was not written by a CSV writer.
            return std::nullopt;
        } else {
            current.append(c);
        }
    }
    if (quoted)
        return std::nullopt;
    out.append(current);
    return out;
}

} // namespace Csv
