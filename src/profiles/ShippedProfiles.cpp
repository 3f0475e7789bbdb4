#include "ShippedProfiles.h"

#include "base/PathText.h"
#include "platform/DataHome.h"

#include <QDir>
#include <QFile>

void SeedShippedProfiles(const QString& programFolder, const DataHome& home)
{
    if (home.portable)
        return;
    const QDir target(home.folder + QStringLiteral("Profiles"));
    if (target.exists())
        return;
    QDir().mkpath(target.path());
    const QDir shipped(WithBackslash(programFolder) + QStringLiteral("Profiles"));
    for (const QString& name : shipped.entryList({QStringLiteral("*.cvp")}, QDir::Files))
        QFile::copy(shipped.filePath(name), target.filePath(name));
}
