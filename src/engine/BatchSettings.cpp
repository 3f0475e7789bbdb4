#include "BatchSettings.h"

#include "engine/BatchOutcome.h"
#include "engine/BatchRules.h"
#include "profiles/Preferences.h"
#include "base/PathText.h"
#include "platform/FileIdentity.h"

#include <QDir>
#include <QFileInfo>

BatchSettings RunSettings(const GeneralSettings& general, const QString& outputFolder,
                          const QString& outputExt, const QString& arguments, int cores)
{
    BatchSettings settings;
    settings.outputFolder = outputFolder;
    settings.outputExt = outputExt;
    settings.renameExisting = !general.overwrite;
    settings.openFolderWhenDone = general.openDir;
    settings.exitWhenDone = general.exitProgram;
    settings.turnOffWhenDone = general.turnOff;
    settings.tasksAtOnce = general.tasksAtOnce > 0 ? general.tasksAtOnce
                                                   : AutomaticTasksAtOnce(cores, arguments);
    settings.skipCompleted = general.skipCompleted;
    return settings;
}

OutputFolderState CheckOutputFolder(const QString& folder)
{
    if (!folder.isEmpty() && QDir::isRelativePath(folder))
        return OutputFolderState::NotFullPath;
    const QFileInfo info(folder);
    if (!info.exists())
        return OutputFolderState::Missing;
    return info.isDir() ? OutputFolderState::Usable : OutputFolderState::NotFolder;
}

bool InOutputFolder(const QString& path, const QString& outputFolder)
{
    const QString folder = WithBackslash(outputFolder);
    const QString name = path.mid(folder.size());
    if (!path.startsWith(folder) || name.isEmpty() || name == QLatin1String(".") ||
        name == QLatin1String("..") || name.contains(QLatin1Char('/')) ||
        name.contains(QDir::separator()))
        return false;
    return CleanedPath(QFileInfo(path).path()) == CleanedPath(outputFolder);
}

BatchOutcome CompletedOutcome(int failed, int tasks, const BatchSettings& settings)
{
    BatchOutcome outcome;
    outcome.kind = BatchOutcome::Completed;
    outcome.caption = QStringLiteral("Complete");
    outcome.text = failed == 0 ? QStringLiteral("The coversion is completed successfully.")
                               : QStringLiteral("%1 of %2 files could not be converted; the Status "
                                                "column tells why when you point at it.")
                                     .arg(failed)
                                     .arg(tasks);
    // Leaving or switching off would hide the failures: the user hears of them first.
    outcome.action = failed > 0                 ? BatchOutcome::Report
                     : settings.turnOffWhenDone ? BatchOutcome::PowerOff
                     : settings.exitWhenDone    ? BatchOutcome::Exit
                                                : BatchOutcome::Report;
    outcome.openFolder = settings.openFolderWhenDone;
    outcome.folder = settings.outputFolder;
    return outcome;
}
