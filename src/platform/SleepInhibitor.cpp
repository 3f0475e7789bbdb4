#include "SleepInhibitor.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

SleepInhibitor::SleepInhibitor(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus)
{}

void SleepInhibitor::hold()
{
    m_wanted = true;
    if (m_lock.isValid() || m_asking || !m_bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep") << QStringLiteral("Framewright")
         << QStringLiteral("Converting videos") << QStringLiteral("block");
    m_asking = true;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &SleepInhibitor::answered);
}

void SleepInhibitor::release()
{
    m_wanted = false;
    m_lock = QDBusUnixFileDescriptor(); // closing the descriptor ends the lock
}

void SleepInhibitor::answered(QDBusPendingCallWatcher* call)
{
    m_asking = false;
    // The reply keeps a copy of the descriptor until the watcher goes.
    call->deleteLater();
    const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *call;
    if (m_wanted && !reply.isError())
        m_lock = reply.value();
}

// Compiled here rather than with the other meta-objects, so that a program that does not use
// the desktop bus does not load its library.
#include "moc_SleepInhibitor.cpp"
