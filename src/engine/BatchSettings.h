#pragma once

#include <QString>

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
