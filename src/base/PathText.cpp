#include "PathText.h"

#include <QDir>

namespace {
int lastSeparator(const QString& path)
{
    int at = -1;
    for (int i = 0; i < path.size(); ++i) {
        const QChar c = path.at(i);
        if (c == QLatin1Char('/') || c == QDir::separator())
            at = i;
    }
    return at;
}
} // namespace

QString WithBackslash(const QString& folder)
{
    const QChar sep = QDir::separator();
    if (folder.endsWith(sep) || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + sep;
}

QString WithoutExtension(const QString& name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

QString FileNamePart(const QString& path)
{
    return path.mid(lastSeparator(path) + 1);
}

QString FileExtension(const QString& path)
{
    const QString name = FileNamePart(path);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}
