#include "InputScan.h"

#include "base/PathText.h"
#include "platform/RawNames.h"
#include "tasks/InputTypes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>

namespace {
QStringList patternsOf(const QStringList& extensions)
{
    QStringList patterns;
    for (const QString& extension : extensions)
        patterns.append(QLatin1Char('*') + extension);
    return patterns;
}
} // namespace

bool IsSpecialFile(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isFile() && !info.isDir();
}

QStringList FolderSpecialEntries(const QString& folder, const QStringList& extensions)
{
    if (folder.isEmpty() || extensions.isEmpty())
        return {};
    QStringList special;
    const QString prefix = WithBackslash(folder);
    for (const QString& name : QDir(folder).entryList(patternsOf(extensions), QDir::System,
                                                      QDir::Name | QDir::IgnoreCase)) {
        if (IsSpecialFile(prefix + name))
            special.append(prefix + name);
    }
    return special;
}

QStringList FolderInputs(const QString& folder, const QStringList& extensions)
{
    if (folder.isEmpty() || extensions.isEmpty())
        return {};
    // Without QDir::CaseSensitive the patterns ignore case; without QDir::Hidden and
    // QDir::System, dot files, FIFOs, devices and broken links stay out.
    QStringList names = QDir(folder).entryList(patternsOf(extensions), QDir::Files, QDir::Unsorted);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b; // names differing in case only: a stable order
    });
    const QString prefix = WithBackslash(folder);
    for (QString& name : names)
        name.prepend(prefix);
    return names;
}

QStringList UnreadableFolderNames(const QString& folder, const QStringList& extensions)
{
    QStringList unreadable;
    const QString prefix = WithBackslash(folder);
    for (const QByteArray& name : RawEntryNames(folder)) {
        if (IsValidUtf8(name))
            continue;
        const bool supported =
            std::any_of(extensions.begin(), extensions.end(), [&](const QString& extension) {
                return name.toLower().endsWith(extension.toLower().toUtf8());
            });
        if (supported)
            unreadable.append(prefix + EscapedName(name));
    }
    unreadable.sort(Qt::CaseInsensitive);
    return unreadable;
}

namespace {
// The lines of a list file, one path each.
QStringList listedPaths(const QString& listFile, QStringList* unreadable)
{
    QFile file(listFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    bytes.replace("\r\n", "\n");
    bytes.replace('\r', '\n');
    QStringList paths;
    for (const QByteArray& line : bytes.split('\n')) {
        if (line.isEmpty())
            continue;
        if (IsValidUtf8(line))
            paths.append(QString::fromUtf8(line));
        else if (unreadable)
            unreadable->append(EscapedName(line));
    }
    return paths;
}
} // namespace

QString AbsoluteArgument(const QString& argument, const QString& currentFolder)
{
    if (argument.isEmpty())
        return argument;
    if (argument.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QUrl url(argument);
        return url.isLocalFile() ? url.toLocalFile() : argument;
    }
    if (QDir::isAbsolutePath(argument))
        return argument;
    return QDir::cleanPath(QDir(currentFolder).absoluteFilePath(argument));
}

QStringList CommandLinePaths(const QStringList& arguments, const QString& currentFolder,
                             QStringList* unreadable)
{
    QStringList paths;
    if (arguments.isEmpty() || FileExtension(arguments.first()).toLower() != QLatin1String(".tmp"))
        paths = arguments;
    else
        paths = listedPaths(AbsoluteArgument(arguments.first(), currentFolder), unreadable);
    for (QString& path : paths)
        path = AbsoluteArgument(path, currentFolder);
    return paths;
}
