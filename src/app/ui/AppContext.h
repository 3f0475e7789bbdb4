#pragma once

#include <functional>

#include <QDBusConnection>
#include <QString>
#include <QStringList>

class QWidget;

// What the main window is given instead of reaching for globals: where its files live, what it
// was started with, and the few platform actions tests must be able to replace.
struct AppContext
{
    QString programFolder; // ends in a separator: the encoder, the help, the shipped profiles
    // Where Preferences.ini and Profiles/ live, and the output folder before any is chosen;
    // both the program folder when empty.
    QString dataFolder;
    QString defaultOutput;
    // False when another window owns the data folder's task list but did not answer: this
    // window neither restores nor saves it.
    bool keepsList = true;
    // Whether the kept list is read on a thread while the window comes on screen, as the program
    // does; tests have it read before the constructor returns.
    bool restoreWhileShowing = false;
    QString moduleFolder;  // holds the program's loadable modules: the executable's folder
    QStringList arguments; // the command line without the program name
    // Arguments left out of `arguments` because they are no valid text, with their bad bytes
    // escaped: no file can be opened by such a name.
    QStringList unreadableArguments;
    std::function<QString()> powerOff; // why it was refused, or empty
    // Opens a folder or file in the desktop shell; false when the desktop has no launcher for it.
    std::function<bool(const QString&)> openPath;
    // The system bus (sleep inhibitor) and the session bus (notifications), opened when a run
    // first needs them; without them a run tells the desktop nothing.
    std::function<QDBusConnection()> systemBus;
    std::function<QDBusConnection()> sessionBus;
    // Whether the desktop can show Framewright.chm, answered at once or, while the desktop is
    // still being asked, later.
    std::function<void(std::function<void(bool)>)> askChmViewer;
    // The open dialog (owner, filter), the folder browser (owner, title) and the save dialog
    // (owner, filter, folder); empty when cancelled. The program entry passes the platform's,
    // tests pass their own.
    std::function<QStringList(QWidget*, const QString&)> chooseFiles;
    std::function<QString(QWidget*, const QString&)> chooseFolder;
    std::function<QString(QWidget*, const QString&, const QString&)> chooseSaveFile;
};
