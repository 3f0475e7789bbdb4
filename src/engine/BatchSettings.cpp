#include "BatchSettings.h"

#include "engine/BatchRules.h"
#include "profiles/Preferences.h"

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
