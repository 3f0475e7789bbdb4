#include "ProfileText.h"

#include "base/PathText.h"

#include <QDir>

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
    return names;
}

QStringList ProfileNames(const QString& programFolder)
{
    QStringList names =
        FilesWithExtension(WithBackslash(WithBackslash(programFolder) + QStringLiteral("Profiles")),
                           QStringLiteral(".cvp"));
    for (QString& name : names)
        name = WithoutExtension(name);
    return names;
}

QString ProfilePath(const QString& programFolder, const QString& profileName)
{
    return WithBackslash(WithBackslash(programFolder) + QStringLiteral("Profiles")) + profileName +
           QStringLiteral(".cvp");
}

QString OutputExtFor(const QString& type)
{
    return QLatin1Char('.') + type;
}
