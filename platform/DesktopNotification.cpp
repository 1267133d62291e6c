// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopNotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

QString DesktopNotification::send(const QString &summary, const QString &body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return QStringLiteral("no session bus: %1").arg(bus.lastError().message());
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // The hint names the desktop entry, so that the desktop shows the notification as ours.
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("pantrova")}};
    call << QStringLiteral("Pantrova") << 0u << QStringLiteral("pantrova") << summary << body << QStringList() << hints
         << -1;
    const QDBusMessage reply = bus.call(call, QDBus::Block, 10000);
    if (reply.type() == QDBusMessage::ErrorMessage)
        return reply.errorMessage();
    return QString();
}
