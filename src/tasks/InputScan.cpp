#include "InputScan.h"

#include "base/PathText.h"
#include "tasks/InputTypes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

QStringList FolderInputs(const QString& folder, const QStringList& extensions)
{
    if (folder.isEmpty() || extensions.isEmpty())
        return {};
    QStringList patterns;
    for (const QString& extension : extensions)
        patterns.append(QLatin1Char('*') + extension);
    // Without QDir::CaseSensitive the patterns ignore case; without QDir::Hidden and
    // QDir::System, dot files, FIFOs, devices and broken links stay out.
    QStringList names = QDir(folder).entryList(patterns, QDir::Files, QDir::Unsorted);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b; // names differing in case only: a stable order
    });
    const QString prefix = WithBackslash(folder);
    for (QString& name : names)
        name.prepend(prefix);
    return names;
}

QStringList CommandLinePaths(const QStringList& arguments)
{
    if (arguments.isEmpty() || FileExtension(arguments.first()).toLower() != QLatin1String(".tmp"))
        return arguments;

    QFile file(arguments.first());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // The decoder drops a leading byte-order mark.
    QString text = QStringDecoder(QStringDecoder::Utf8)(file.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
