#include "RawNames.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#endif

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
        RawEntry raw{QByteArray(entry->d_name), RawEntry::Missing};
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat status = {};
            if (::fstatat(::dirfd(dir), entry->d_name, &status, 0) == 0)
                raw.kind = S_ISREG(status.st_mode)   ? RawEntry::File
                           : S_ISDIR(status.st_mode) ? RawEntry::Folder
                                                     : RawEntry::Special;
        } else {
            raw.kind = entry->d_type == DT_REG   ? RawEntry::File
                       : entry->d_type == DT_DIR ? RawEntry::Folder
                                                 : RawEntry::Special;
        }
        entries.append(raw);
    }
    ::closedir(dir);
#else
    Q_UNUSED(folder)
#endif
    return entries;
}
