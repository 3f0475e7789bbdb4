#include "PowerOff.h"

#include <QDBusConnection>
#include <QDBusMessage>

void ShutdownComputer()
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
    // Interactive: a policy that wants the user's password may ask for it.
    call << true;
    // Waited for, briefly: the program closes right after, which would drop an unsent call.
    QDBusConnection::systemBus().call(call, QDBus::Block, 5000);
}
