#pragma once

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QVariantList>

#include <fcntl.h>
#include <unistd.h>

// Stand-ins for the login manager and the notification service that record their calls. The
// lock handed out is one end of a pipe; the other end, kept here, reads end-of-file once every
// copy of the lock is closed.
class FakeLogin final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    ~FakeLogin() override;
    bool held(int call) const;
    QList<QVariantList> calls;
    QList<int> kept;
public slots:
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString& who, const QString& why,
                                    const QString& mode);
};

class FakeNotices final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QList<QVariantList> calls;
public slots:
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints,
                int timeout)
    {
        calls.append({app, replaces, icon, summary, body, actions, hints, timeout});
        return uint(calls.size());
    }
};

// A private message bus (a dbus-daemon that starts no services) on which the stand-ins are
// offered when the test asks.
struct FakeDesktop
{
    FakeDesktop();
    ~FakeDesktop();
    QDBusConnection connect(); // one more connection, as the program has one
    void offer(QObject* service, const QString& name, const QString& path);
    void offerLogin() { offer(&login, "org.freedesktop.login1", "/org/freedesktop/login1"); }
    void offerNotices()
    {
        offer(&notices, "org.freedesktop.Notifications", "/org/freedesktop/Notifications");
    }

    QTemporaryDir dir;
    QProcess daemon;
    QString address;
    QStringList names; // of our connections
    FakeLogin login;
    FakeNotices notices;
};
