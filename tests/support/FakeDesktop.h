#pragma once

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QVariantList>

// Stand-ins for the login manager and the notification service: each records its calls. The
// login manager hands out one end of a pipe as the lock and keeps the other end, which reads
// end-of-file once every copy of the lock is closed.
class FakeLogin final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    ~FakeLogin() override;
    QList<QVariantList> calls;
    QList<int> kept; // our end of each lock's pipe
    bool held(int call) const;
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
                int timeout);
};

// A message bus of the test's own (a private dbus-daemon that starts no services), on which
// the stand-ins are offered when the test asks.
struct FakeDesktop
{
    FakeDesktop();
    ~FakeDesktop();
    QDBusConnection connect(); // another connection to the bus, as the program has one
    void offerLogin();
    void offerNotices();

    QTemporaryDir dir;
    QProcess daemon;
    QString address;
    QStringList names; // of our connections
    FakeLogin login;
    FakeNotices notices;
};
