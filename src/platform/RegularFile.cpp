#include "RegularFile.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

QString NotRegularFileText()
{
    return QStringLiteral("it is not a regular file (a pipe, a device or a socket)");
}

RegularFileRead ReadRegularFile(const QString& path, qint64 limit)
{
    RegularFileRead read;
#ifdef Q_OS_UNIX
    // Without O_NONBLOCK, opening a FIFO for reading waits for a writer; the kind is then
    // told by the descriptor itself, not by the name, which may have changed since.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        read.missing = errno == ENOENT;
        read.error = QString::fromLocal8Bit(std::strerror(errno));
        return read;
    }
    struct stat info = {};
    if (::fstat(fd, &info) != 0) {
        read.error = QString::fromLocal8Bit(std::strerror(errno));
        ::close(fd);
        return read;
    }
    if (!S_ISREG(info.st_mode)) {
        read.notRegular = !S_ISDIR(info.st_mode);
        read.error = read.notRegular ? NotRegularFileText() : QStringLiteral("it is a folder");
        ::close(fd);
        return read;
    }
    if (limit >= 0 && info.st_size > limit) {
        ::close(fd);
        read.error = QStringLiteral("it is larger than %1 bytes").arg(limit);
        return read;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        read.error = file.errorString();
        return read;
    }
#else
    QFile file(path);
    if (!file.exists()) {
        read.missing = true;
        read.error = QStringLiteral("No such file or directory");
        return read;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        read.error = file.errorString();
        return read;
    }
#endif
    // A file that grows while it is read is cut at the limit rather than read on and on.
    read.bytes = limit >= 0 ? file.read(limit) : file.readAll();
    if (file.error() != QFileDevice::NoError) {
        read.error = file.errorString();
        read.bytes.clear();
    }
    return read;
}
