#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the batch command's command line asks for.
struct BatchOptions
{
    QString profile;               // a profile's name or a path to its file
    QString outputFolder;          // empty: the window's output folder
    int tasksAtOnce = 0;           // 0: as the window's "Automatic"
    std::optional<bool> overwrite; // none: as the window's settings
    bool json = false;
    QStringList inputs;
    // Watching a folder instead of converting inputs.
    QString watch;
    bool subfolders = false;
    double settleSeconds = 5;
    QString done = QStringLiteral("keep"); // "keep", "move" (to doneFolder) or "delete"
    QString doneFolder;
    bool forget = false;
    bool help = false;
    bool version = false;
    QString error; // a usage error: nothing else is to be trusted then
};

// Reads the arguments after the program's name.
BatchOptions ParseBatchOptions(const QStringList& arguments);

// What --help prints.
QString BatchUsage();
