#include "FakeDesktop.h"

#include "TestFiles.h"

#include <cerrno>

FakeLogin::~FakeLogin()
{
    for (int end : kept)
        ::close(end);
}

bool FakeLogin::held(int call) const
{
    char byte;
    return ::read(kept.at(call), &byte, 1) < 0 && errno == EAGAIN;
}

QDBusUnixFileDescriptor FakeLogin::Inhibit(const QString& what, const QString& who,
                                           const QString& why, const QString& mode)
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

FakeDesktop::FakeDesktop()
{
    // The session bus's policy (it needs its rule without attributes for replies to arrive),
    // and no service folders: no name asked for starts a program.
    const QString config = dir.filePath("bus.conf");
    WriteFile(config, "<busconfig><type>session</type><listen>unix:dir=" + dir.path().toUtf8() +
                          "</listen><auth>EXTERNAL</auth><policy context=\"default\"><allow "
                          "send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                          "<allow own=\"*\"/></policy></busconfig>");
    daemon.start("dbus-daemon", {"--config-file=" + config, "--print-address", "--nofork"});
    while (!daemon.canReadLine() && daemon.waitForReadyRead(10000)) {
    }
    address = QString::fromUtf8(daemon.readLine()).trimmed();
    if (address.isEmpty())
        qWarning("The test's own message bus did not start: is dbus-daemon installed?");
}

FakeDesktop::~FakeDesktop()
{
    for (const QString& name : names)
        QDBusConnection::disconnectFromBus(name);
    daemon.kill();
    daemon.waitForFinished();
}

QDBusConnection FakeDesktop::connect()
{
    static int count = 0;
    names << QStringLiteral("fake desktop %1").arg(++count);
    return QDBusConnection::connectToBus(address, names.last());
}

void FakeDesktop::offer(QObject* service, const QString& name, const QString& path)
{
    QDBusConnection bus = connect();
    bus.registerObject(path, service, QDBusConnection::ExportAllSlots);
    bus.registerService(name);
}
