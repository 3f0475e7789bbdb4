#include "FileIdentity.h"

#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
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
    return QString::number(info.st_dev) + QLatin1Char(':') + QString::number(info.st_ino);
#else
    return QFileInfo(path).canonicalFilePath();
#endif
}

bool SameFile(const QString& first, const QString& second)
{
#ifdef Q_OS_UNIX
    struct stat a = {};
    struct stat b = {};
    if (::stat(QFile::encodeName(first).constData(), &a) == 0 &&
        ::stat(QFile::encodeName(second).constData(), &b) == 0)
        return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
#else
    const QString a = QFileInfo(first).canonicalFilePath();
    if (!a.isEmpty() && a == QFileInfo(second).canonicalFilePath())
        return true;
#endif
    return CleanedPath(first) == CleanedPath(second);
}

bool PathTaken(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}
