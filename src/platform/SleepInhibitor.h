#pragma once

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>

class QDBusPendingCallWatcher;

// Keeps the computer from going to sleep while held, through the login manager's inhibitor
// lock on the given bus: the lock lasts as long as the descriptor it hands out stays open.
// Asked without waiting; with no bus or no login manager nothing happens.
class SleepInhibitor final : public QObject
{
    Q_OBJECT
public:
    explicit SleepInhibitor(const QDBusConnection& bus, QObject* parent = nullptr);

    void hold();
    // Lets the computer sleep again; a lock still being asked for is given back on arrival.
    void release();

private:
    void answered(QDBusPendingCallWatcher* call);

    QDBusConnection m_bus;
    QDBusUnixFileDescriptor m_lock;
    bool m_wanted = false;
    bool m_asking = false;
};
