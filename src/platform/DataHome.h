#pragma once

#include <QString>

// Where the program keeps what it writes: Preferences.ini, Queue.json and Profiles/. A program
// folder the user may write (a portable copy, or one that already holds a Preferences.ini the
// user may write) keeps them beside the program. An installed, read-only one sends them to the
// user's own data folder.
struct DataHome
{
    QString folder;        // ends in a separator
    bool portable = false; // the program folder itself
};

// Decided once, at start-up. userFolder is the user's data folder (it is made when needed).
DataHome ChooseDataHome(const QString& programFolder, const QString& userFolder);

// The user's data folder of this program (on Linux ~/.local/share/Framewright/).
QString UserDataFolder();

// Where output goes by default when the program folder is not the user's: the user's video
// folder, or home.
QString UserOutputFolder();
