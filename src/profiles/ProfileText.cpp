#include "ProfileText.h"

#include "base/PathText.h"

#include <QDir>

#include <algorithm>

QStringList SplitList(const QString& text)
{
    QStringList items;
    int start = 0;
    for (int comma = text.indexOf(QLatin1Char(',')); comma >= 0;
         comma = text.indexOf(QLatin1Char(','), start)) {
        items << text.mid(start, comma - start);
        start = comma + 1;
    }
    return items;
}

QStringList FilesWithExtension(const QString& folder, const QString& ext)
{
    const QString wanted = ext.toLower();
    QStringList names;
    const QDir dir(WithBackslash(folder));
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Unsorted);
    for (const QFileInfo& entry : entries) {
        if (FileExtension(entry.fileName()).toLower() == wanted)
            names << entry.fileName();
    }
    // The saved profile is a position in this list, so its order must not change between starts.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

QString ProfilesFolder(const QString& dataFolder)
{
    return WithBackslash(WithBackslash(dataFolder) + QStringLiteral("Profiles"));
}

QStringList ProfileFiles(const QString& dataFolder)
{
    return FilesWithExtension(ProfilesFolder(dataFolder), QStringLiteral(".cvp"));
}

QString OutputExtFor(const QString& type)
{
    return QLatin1Char('.') + type;
}
