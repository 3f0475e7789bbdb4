#include "InputScan.h"

#include "base/PathText.h"
#include "platform/RawNames.h"
#include "platform/RegularFile.h"
#include "tasks/InputTypes.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>

bool IsSpecialFile(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isFile() && !info.isDir();
}

FolderScan ScanFolder(const QString& folder, const QStringList& extensions)
{
    FolderScan scan;
    if (folder.isEmpty() || extensions.isEmpty())
        return scan;
    QList<QByteArray> suffixes;
    for (const QString& extension : extensions)
        suffixes.append(extension.toLower().toUtf8());
    const QString prefix = WithBackslash(folder);
    for (const RawEntry& entry : RawEntries(folder)) {
        if (entry.kind == RawEntry::Folder || entry.kind == RawEntry::Missing)
            continue;
        const QByteArray lower = entry.name.toLower();
        if (std::none_of(suffixes.begin(), suffixes.end(),
                         [&](const QByteArray& suffix) { return lower.endsWith(suffix); }))
            continue;
        if (!IsValidUtf8(entry.name))
            scan.unreadable.append(prefix + EscapedName(entry.name));
        else if (entry.kind == RawEntry::Special)
            scan.special.append(prefix + QString::fromUtf8(entry.name));
        else
            scan.inputs.append(QString::fromUtf8(entry.name));
    }
    std::sort(scan.inputs.begin(), scan.inputs.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b; // names differing in case only: a stable order
    });
    for (QString& name : scan.inputs)
        name.prepend(prefix);
    scan.special.sort(Qt::CaseInsensitive);
    scan.unreadable.sort(Qt::CaseInsensitive);
    return scan;
}

QStringList FolderSpecialEntries(const QString& folder, const QStringList& extensions)
{
    return ScanFolder(folder, extensions).special;
}

QStringList FolderInputs(const QString& folder, const QStringList& extensions)
{
    return ScanFolder(folder, extensions).inputs;
}

QStringList UnreadableFolderNames(const QString& folder, const QStringList& extensions)
{
    return ScanFolder(folder, extensions).unreadable;
}

namespace {
// The lines of a list file, one path each.
QStringList listedPaths(const QString& listFile, QList<RefusedInput>* refused)
{
    // A FIFO would hold the program until someone writes to it, a device might never end.
    RegularFileRead read = ReadRegularFile(listFile);
    if (!read.error.isEmpty()) {
        if (refused)
            refused->append(
                {listFile, read.notRegular ? Refusal::NotRegularFile : Refusal::ListUnreadable});
        return {};
    }
    QByteArray& bytes = read.bytes;
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
        else if (refused)
            refused->append({EscapedName(line), Refusal::NameNotText});
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

bool NamesListFile(const QStringList& arguments)
{
    return !arguments.isEmpty() &&
           FileExtension(arguments.first()).compare(QLatin1String(".tmp"), Qt::CaseInsensitive) ==
               0;
}

QStringList CommandLinePaths(const QStringList& arguments, const QString& currentFolder,
                             QList<RefusedInput>* refused)
{
    QStringList paths;
    if (!NamesListFile(arguments))
        paths = arguments;
    else
        paths = listedPaths(AbsoluteArgument(arguments.first(), currentFolder), refused);
    for (QString& path : paths)
        path = AbsoluteArgument(path, currentFolder);
    return paths;
}
