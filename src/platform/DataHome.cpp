#include "DataHome.h"

#include "base/PathText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace {
// Permission bits alone say nothing to root; ask the system as the user it is.
bool writable(const QString& path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}
} // namespace

DataHome ChooseDataHome(const QString& programFolder, const QString& userFolder)
{
    const QString program = WithBackslash(programFolder);
    const QString preferences = program + QStringLiteral("Preferences.ini");
    if (writable(program) || (QFileInfo::exists(preferences) && writable(preferences)))
        return {program, true};
    const QString home = WithBackslash(userFolder);
    QDir().mkpath(home);
    return {home, false};
}

QString UserDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString UserOutputFolder()
{
    const QString videos = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    return WithBackslash(QFileInfo(videos).isDir() ? videos : QDir::homePath());
}
