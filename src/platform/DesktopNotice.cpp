#include "DesktopNotice.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

void SendDesktopNotice(const QDBusConnection& bus, const QString& summary, const QString& body)
{
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // The icon is the desktop entry's; -1 leaves how long it shows to the desktop.
    call << QStringLiteral("Framewright") << 0u << QStringLiteral("framewright") << summary << body
         << QStringList() << QVariantMap() << -1;
    bus.send(call);
}
