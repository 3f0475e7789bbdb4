#include "InputTypes.h"

#include "base/PathText.h"

QStringList InputExtensions()
{
    return {QStringLiteral(".avi"), QStringLiteral(".mpg"), QStringLiteral(".mpeg"),
            QStringLiteral(".mp4"), QStringLiteral(".wmv"), QStringLiteral(".mov"),
            QStringLiteral(".vob"), QStringLiteral(".asf")};
}

QString InputMask(const QStringList& extensions)
{
    QString mask;
    for (const QString& extension : extensions)
        mask += QLatin1Char('*') + extension + QLatin1Char(';');
    return mask;
}

QString OpenDialogFilter(const QStringList& extensions)
{
    QString entries;
    for (const QString& extension : extensions) {
        const QString label = extension.mid(1).toUpper();
        entries += label + QStringLiteral(" Files (*") + extension + QStringLiteral(")|*") +
                   extension + QLatin1Char('|');
    }
    const QString mask = InputMask(extensions);
    return QStringLiteral("All Support Files(") + mask + QStringLiteral(")|") + mask +
           QLatin1Char('|') + entries + QStringLiteral("All Files (*.*)|*.*");
}

QStringList QtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        filters.append(parts.at(i) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')'));
    }
    return filters;
}

bool IsSupportedInput(const QString& path, const QStringList& extensions)
{
    const QString extension = FileExtension(path).toLower();
    return !extension.isEmpty() && extensions.contains(extension);
}
