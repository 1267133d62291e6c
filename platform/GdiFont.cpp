// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GdiFont.h"

#include <QFontMetrics>
#include <QHash>

namespace {
// The Windows faces named by the layouts and the installed faces that stand in for them.
QString installedFace(const QString &name)
{
    static const QHash<QString, QString> faces{
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("Courier"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("Wingdings"), QStringLiteral("DejaVu Sans")},
    };
    return faces.value(name, name);
}

struct Measures
{
    int height = 0;
    int ascent = 0;
    QHash<QString, int> widths;
};

// Enough for every caption and name the windows show; texts past it are measured each time.
constexpr qsizetype MaxWidthsPerFont = 1024;

// What sets a font's measures: the colour does not.
struct MeasuredFont
{
    QString name;
    int height;
    bool bold;

    friend bool operator==(const MeasuredFont &, const MeasuredFont &) = default;
    friend size_t qHash(const MeasuredFont &font, size_t seed = 0)
    {
        return qHashMulti(seed, font.name, font.height, font.bold);
    }
};

Measures &measures(const GdiFont &font)
{
    static QHash<MeasuredFont, Measures> byFont;
    const MeasuredFont key{font.name, font.height, font.bold};
    auto it = byFont.find(key);
    if (it == byFont.end()) {
        const QFontMetrics metrics(toQFont(font));
        it = byFont.insert(key, Measures{metrics.height(), metrics.ascent(), {}});
    }
    return *it;
}
} // namespace

QFont toQFont(const GdiFont &font)
{
    QFont f(installedFace(font.name));
    // A negative height is the character height in pixels (the cell height less internal
    // leading); a positive one the cell height. Qt's pixel size is the character height.
    f.setPixelSize(qMax(1, qAbs(font.height)));
    f.setBold(font.bold);
    f.setStyleStrategy(QFont::NoAntialias);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QString textToDraw(const QString &text, const GdiFont &font)
{
    if (font.name.compare(QStringLiteral("Wingdings"), Qt::CaseInsensitive) != 0)
        return text;
    // Wingdings 0xCA is the pin of the stay-on-top button; the neuter sign of DejaVu Sans,
    // a ring on a stem, reads as a pin head from above.
    static const QHash<char16_t, char16_t> symbols{
        {0xCA, 0x26B2},
    };
    QString mapped = text;
    for (QChar &c : mapped)
        c = QChar(symbols.value(c.unicode(), c.unicode()));
    return mapped;
}

int textWidth(const GdiFont &font, const QString &text)
{
    Measures &m = measures(font);
    if (const auto it = m.widths.constFind(text); it != m.widths.constEnd())
        return *it;
    const int width = QFontMetrics(toQFont(font)).horizontalAdvance(textToDraw(text, font));
    if (m.widths.size() < MaxWidthsPerFont)
        m.widths.insert(text, width);
    return width;
}

int textHeight(const GdiFont &font)
{
    return measures(font).height;
}

int textAscent(const GdiFont &font)
{
    return measures(font).ascent;
}
