#include "ProfileLookup.h"

#include "ProfileFile.h"
#include "ProfileText.h"
#include "base/FwError.h"
#include "base/PathText.h"

#include <QDir>
#include <QFileInfo>

namespace {
ProfileForRun refused(const QString& error)
{
    ProfileForRun profile;
    profile.error = error;
    return profile;
}

// The path of the listed profile of that name, or empty.
QString listedProfile(const QString& name, const QString& dataFolder, QStringList& names)
{
    for (const QString& file : ProfileFiles(dataFolder)) {
        names << WithoutExtension(file);
        if (names.last().compare(name, Qt::CaseInsensitive) == 0)
            return ProfilesFolder(dataFolder) + file;
    }
    return QString();
}
} // namespace

ProfileForRun FindProfileForRun(const QString& nameOrPath, const QString& dataFolder)
{
    QString path;
    if (nameOrPath.contains(QLatin1Char('/')) ||
        nameOrPath.endsWith(QLatin1String(".cvp"), Qt::CaseInsensitive)) {
        path = QFileInfo(nameOrPath).absoluteFilePath();
        // Something else at the path (a folder, a FIFO) is refused below, with the reason.
        if (!QFileInfo::exists(path))
            return refused(
                QStringLiteral("no profile file \"%1\"").arg(QDir::toNativeSeparators(path)));
    } else {
        QStringList names;
        path = listedProfile(nameOrPath, dataFolder, names);
        // The list holds regular files alone; a FIFO of that name is named as what it is.
        if (const QString other = ProfilesFolder(dataFolder) + nameOrPath + QStringLiteral(".cvp");
            path.isEmpty() && QFileInfo::exists(other))
            path = other;
        if (path.isEmpty())
            return refused(QStringLiteral("no profile named \"%1\"; the profiles are: %2")
                               .arg(nameOrPath, names.isEmpty()
                                                    ? QStringLiteral("none")
                                                    : names.join(QStringLiteral(", "))));
    }
    if (const QString problem = ProfileProblem(path); !problem.isEmpty())
        return refused(problem);
    ProfileForRun profile;
    try {
        const LoadedProfile loaded = LoadProfile(path);
        if (loaded.stoppedAtFault)
            return refused(loaded.error);
        if (loaded.type.trimmed().isEmpty())
            return refused(QStringLiteral("Profile \"%1\" names no output type.")
                               .arg(WithoutExtension(FileNamePart(path))));
        profile.outputExt = OutputExtFor(loaded.type);
        profile.arguments = BuildArguments(path, loaded.panels);
    } catch (const FwError& error) {
        return refused(error.text());
    }
    profile.path = path;
    return profile;
}
