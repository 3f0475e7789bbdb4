#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// What the Settings dialog is given: where its files are, what it needs of the main window,
// and the platform's choosers (tests pass their own).
struct SettingsLink
{
    QString dataFolder;                  // of Preferences.ini and Profiles/, with a separator
    QString defaultOutput;               // the output folder before any is chosen
    QStringList profileFiles;            // as the main window lists them
    std::function<QString()> mainOutput; // the main window's output folder
    std::function<void(const QString&)> setMainOutput;
    std::function<QString()> mainProfile; // the main window's chosen profile, as shown
    std::function<void()> reloadMainProfile;
    std::function<void()> profilesChanged; // a profile was saved under a new name
    // Runs a read or write of Preferences.ini; false when it failed, which the main window has
    // reported. Empty: the failure is thrown.
    std::function<bool(const std::function<void()>&)> withPreferences;
    // The folder browser (owner, title) and the save dialog (owner, filter, folder); empty
    // when cancelled.
    std::function<QString(QWidget*, const QString&)> chooseFolder;
    std::function<QString(QWidget*, const QString&, const QString&)> chooseSaveFile;
};

// Asks for an output folder through the chooser; the folder with a separator at its end, or
// empty when cancelled or there is no chooser.
QString ChooseOutputFolder(const std::function<QString(QWidget*, const QString&)>& choose,
                           QWidget* owner);
