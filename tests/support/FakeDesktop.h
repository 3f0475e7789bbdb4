#pragma once

#include "TestFiles.h"

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QProcess>
#include <QTemporaryDir>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

// Stand-ins that record their calls. Each lock the login manager hands out is one end of a
// pipe; the other end, kept here, reads end-of-file once every copy of the lock is closed.
class FakeLogin final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    ~FakeLogin() override
    {
        for (int end : kept)
            ::close(end);
    }
    bool held(int call) const
    {
        char byte;
        return ::read(kept.at(call), &byte, 1) < 0 && errno == EAGAIN;
    }
    QList<QVariantList> calls;
    QList<int> kept;
public slots:
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString& who, const QString& why,
                                    const QString& mode)
    {
        calls.append({what, who, why, mode});
        int ends[2];
        if (::pipe2(ends, O_NONBLOCK | O_CLOEXEC) != 0)
            return {};
        kept.append(ends[0]);
        const QDBusUnixFileDescriptor lock(ends[1]); // a copy of the descriptor
        ::close(ends[1]);
        return lock;
    }
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

// A message bus of the test's own, a dbus-daemon with the session bus's policy (its rule
// without attributes lets replies arrive) and no service folders, so that no name starts a
// program. The stand-ins are offered on it when the test asks.
struct FakeDesktop
{
    FakeDesktop()
    {
        const QString config = dir.filePath("bus.conf");
        WriteFile(config, "<busconfig><type>session</type><listen>unix:dir=" + dir.path().toUtf8() +
                              "</listen><auth>EXTERNAL</auth><policy context=\"default\"><allow "
                              "send_destination=\"*\" eavesdrop=\"true\"/><allow "
                              "eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>");
        daemon.start("dbus-daemon", {"--config-file=" + config, "--print-address", "--nofork"});
        while (!daemon.canReadLine() && daemon.waitForReadyRead(10000)) {
        }
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        if (address.isEmpty())
            qWarning("The test's own message bus did not start: is dbus-daemon installed?");
    }
    ~FakeDesktop()
    {
        for (const QString& name : names)
            QDBusConnection::disconnectFromBus(name);
        daemon.kill();
        daemon.waitForFinished();
    }
    QDBusConnection connect() // one more connection, as the program has one
    {
        static int count = 0;
        names << QStringLiteral("fake desktop %1").arg(++count);
        return QDBusConnection::connectToBus(address, names.last());
    }
    void offer(QObject* service, const QString& name)
    {
        QDBusConnection bus = connect();
        bus.registerObject("/" + QString(name).replace('.', '/'), service,
                           QDBusConnection::ExportAllSlots);
        bus.registerService(name);
    }
    void offerLogin() { offer(&login, "org.freedesktop.login1"); }
    void offerNotices() { offer(&notices, "org.freedesktop.Notifications"); }

    QTemporaryDir dir;
    QProcess daemon;
    QString address;
    QStringList names; // of our connections
    FakeLogin login;
    FakeNotices notices;
};
