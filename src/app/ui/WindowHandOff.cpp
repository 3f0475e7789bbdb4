#include "WindowHandOff.h"

#include "platform/LocalPeer.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace {
constexpr quint32 Magic = 0x46574831; // "FWH1"
constexpr char Taken = 'A';
// A command line of ten thousand long paths fits many times over.
constexpr qint64 LargestMessage = 64 * 1024 * 1024;

// The socket's name: short enough for any socket path, the same for every spelling of the data
// folder, and in the user's own runtime folder where there is one.
QString serverName(const QString& dataFolder)
{
    QString folder = QFileInfo(dataFolder).canonicalFilePath();
    if (folder.isEmpty())
        folder = QDir::cleanPath(QFileInfo(dataFolder).absoluteFilePath());
    const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha256);
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty() || !QFileInfo(runtime).isDir())
        runtime = QDir::tempPath();
    return QDir(runtime).filePath(QStringLiteral("framewright-") +
                                  QString::fromLatin1(hash.toHex().left(24)));
}

QByteArray message(const WindowHandOff::CommandLine& line)
{
    QByteArray body;
    QDataStream out(&body, QIODevice::WriteOnly);
    out << Magic << line.currentFolder << line.arguments << line.unreadable;
    QByteArray framed;
    QDataStream(&framed, QIODevice::WriteOnly) << quint32(body.size());
    return framed + body;
}
} // namespace

WindowHandOff::WindowHandOff(const QString& dataFolder, QObject* parent)
    : QObject(parent), m_serverName(serverName(dataFolder)),
      m_lock(QDir(dataFolder).filePath(QStringLiteral("Queue.json.lock")))
{
    // Held as long as the window lives, however long: only a holder that has died lets go.
    m_lock.setStaleLockTime(0);
}

WindowHandOff::~WindowHandOff() = default; // the lock goes after the window's last save

WindowHandOff::Outcome WindowHandOff::claim(const CommandLine& line, int patienceMs)
{
    const QDeadlineTimer deadline(patienceMs);
    for (;;) {
        if (m_lock.tryLock(0)) {
            listen();
            return First;
        }
        // A data folder that cannot hold a lock cannot hold a list either: nothing to share.
        if (m_lock.error() != QLockFile::LockFailedError)
            return First;
        if (handTo(line, int(qMax<qint64>(100, deadline.remainingTime()))))
            return HandedOff;
        if (deadline.hasExpired())
            return Alone;
        QThread::msleep(100);
    }
}

bool WindowHandOff::handTo(const CommandLine& line, int waitMs) const
{
    const QDeadlineTimer deadline(waitMs);
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(int(deadline.remainingTime())) ||
        !PeerIsThisUser(socket.socketDescriptor()))
        return false;
    socket.write(message(line));
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
            return false;
    }
    // The answer comes once the window has taken the files; a closing window sends none.
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
    return socket.read(1) == QByteArray(1, Taken);
}

void WindowHandOff::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // We hold the lock, so a socket left there belongs to a window that has died.
    QLocalServer::removeServer(m_serverName);
    if (!m_server->listen(m_serverName))
        qWarning("Later starts cannot hand their files to this window: %s",
                 qUtf8Printable(m_server->errorString()));
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            if (!PeerIsThisUser(socket->socketDescriptor())) {
                socket->abort();
                continue;
            }
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { receive(socket); });
            receive(socket); // what came with the connection
        }
    });
}

void WindowHandOff::receive(QLocalSocket* socket)
{
    if (socket->bytesAvailable() < qint64(sizeof(quint32)))
        return;
    quint32 size = 0;
    QDataStream(socket->peek(sizeof size)) >> size;
    if (size > LargestMessage) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < qint64(sizeof size) + size)
        return;
    socket->skip(sizeof size);
    QDataStream in(socket->read(size));
    quint32 magic = 0;
    CommandLine line;
    in >> magic >> line.currentFolder >> line.arguments >> line.unreadable;
    if (magic != Magic || in.status() != QDataStream::Ok) {
        socket->abort();
        return;
    }
    emit handedOver(line);
    socket->write(QByteArray(1, Taken));
    socket->disconnectFromServer();
}

void WindowHandOff::close()
{
    if (!m_server)
        return;
    m_server->close();
    // Connections already made are dropped unanswered: their senders try again.
    for (QLocalSocket* socket : m_server->findChildren<QLocalSocket*>())
        socket->abort();
}
