#pragma once

#include <QString>

// The choices a batch run reads, each at the moment it needs it, from wherever the user makes
// them: the window's output folder and profile, the Settings dialog's General tab.
class BatchSettings
{
public:
    virtual ~BatchSettings() = default;

    virtual QString outputFolder() const = 0; // as typed; a separator is added where missing
    virtual QString outputExt() const = 0;    // "." + the loaded profile's type, or empty
    virtual bool renameExisting() const = 0;  // "Not overwrite": existing files get numbered names
    virtual bool openFolderWhenDone() const = 0;
    virtual bool exitWhenDone() const = 0;
    virtual bool turnOffWhenDone() const = 0;
};
