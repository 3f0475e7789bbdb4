#include "RawNames.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <dirent.h>
#endif

QList<QByteArray> RawEntryNames(const QString& folder)
{
    QList<QByteArray> names;
#ifdef Q_OS_UNIX
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.')
            names.append(QByteArray(entry->d_name));
    }
    ::closedir(dir);
#else
    Q_UNUSED(folder) // names are UTF-16 there: every one comes through a listing whole
#endif
    return names;
}
