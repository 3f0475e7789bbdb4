#include "RawNames.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
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

QList<RawEntry> RawEntries(const QString& folder)
{
    QList<RawEntry> entries;
#ifdef Q_OS_UNIX
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return entries;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        RawEntry raw{QByteArray(entry->d_name), RawEntry::Special};
        unsigned char type = entry->d_type;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            struct stat status = {};
            if (::fstatat(::dirfd(dir), entry->d_name, &status, 0) != 0)
                type = DT_UNKNOWN;
            else
                type = S_ISREG(status.st_mode) ? DT_REG : S_ISDIR(status.st_mode) ? DT_DIR : DT_FIFO;
            if (type == DT_UNKNOWN)
                raw.kind = RawEntry::Missing;
        }
        if (type == DT_REG)
            raw.kind = RawEntry::File;
        else if (type == DT_DIR)
            raw.kind = RawEntry::Folder;
        entries.append(raw);
    }
    ::closedir(dir);
#else
    Q_UNUSED(folder)
#endif
    return entries;
}
