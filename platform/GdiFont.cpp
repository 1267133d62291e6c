#include "platform/GdiFont.h"

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
