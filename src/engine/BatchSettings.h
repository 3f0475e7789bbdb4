#pragma once

#include <QString>
#include <QThread>

struct BatchOutcome;
struct GeneralSettings;

// The choices a batch run works with, taken when it starts from wherever the user makes them:
// the window's output folder and profile, the Settings dialog's General tab.
struct BatchSettings
{
    QString outputFolder;        // as typed; a separator is added where missing
    QString outputExt;           // "." + the loaded profile's type, or empty
    bool renameExisting = false; // "Not overwrite": existing files get numbered names
    bool openFolderWhenDone = false;
    bool exitWhenDone = false;
    bool turnOffWhenDone = false;
    int tasksAtOnce = 1;        // conversions under way together
    bool skipCompleted = false; // tasks whose status is Complete are passed over
};

// A run's settings from the General choices, the output folder and type, and the profile's
// arguments: these decide how many tasks convert at once when the choice is Automatic (0).
BatchSettings RunSettings(const GeneralSettings& general, const QString& outputFolder,
                          const QString& outputExt, const QString& arguments,
                          int cores = QThread::idealThreadCount());

// Whether a run may write into the folder: it must be given from the root, since a relative
// one would depend on where the program happened to be started, and be an existing folder.
enum class OutputFolderState { Usable, NotFullPath, Missing, NotFolder };
OutputFolderState CheckOutputFolder(const QString& folder);

// Whether the path names a file directly in the output folder: a name from a kept list may have
// been edited to lead elsewhere.
bool InOutputFolder(const QString& path, const QString& outputFolder);

// How a run that converted every task it took ends: the box it shows and what follows it.
BatchOutcome CompletedOutcome(int failed, int tasks, const BatchSettings& settings);
