#include "FileIdentity.h"

#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString keyOf(const struct stat& info)
{
    return QString::number(info.st_dev) + QLatin1Char(':') + QString::number(info.st_ino);
}
} // namespace
#endif

QString CleanedPath(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString FileKey(const QString& path)
{
#ifdef Q_OS_UNIX
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return keyOf(info);
#else
    return QFileInfo(path).canonicalFilePath();
#endif
}

bool PathTaken(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString CreateNewFile(const QString& path, bool* taken)
{
    if (taken)
        *taken = false;
#ifdef Q_OS_UNIX
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (taken)
            *taken = errno == EEXIST;
        return {};
    }
    struct stat info = {};
    const bool known = ::fstat(fd, &info) == 0;
    ::close(fd);
    return known ? keyOf(info) : QString();
#else
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (taken)
            *taken = PathTaken(path);
        return {};
    }
    return FileKey(path);
#endif
}

bool RemoveUntouchedFile(const QString& path, const QString& key)
{
    if (key.isEmpty())
        return false;
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    struct stat info = {};
    if (::lstat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size != 0 ||
        keyOf(info) != key)
        return false;
    return ::unlink(name.constData()) == 0;
#else
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink() && info.size() == 0 && FileKey(path) == key &&
           QFile::remove(path);
#endif
}
