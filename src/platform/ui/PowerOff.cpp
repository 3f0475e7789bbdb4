#include "PowerOff.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>

QString ShutdownComputer()
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return QStringLiteral("The system bus cannot be reached.");
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
    // Interactive: a policy that wants the user's password may ask for it.
    call << true;
    // Waited for, briefly: the program closes right after, which would drop an unsent call.
    const QDBusMessage reply = bus.call(call, QDBus::Block, 5000);
    if (reply.type() == QDBusMessage::ErrorMessage)
        return reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
    return {};
}
