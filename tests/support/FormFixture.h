#pragma once

#include "app/ui/AppContext.h"

#include <QDBusConnection>
#include <QTemporaryDir>

#include <memory>

class TMainForm;
class TAboutForm;
class TSettingForm;
class TSizeForm;
class HelpBrowser;

// A main window with its dialogs on a temporary program folder, as the program entry builds
// them. Power-off and shell requests are recorded instead of carried out.
struct FormFixture
{
    explicit FormFixture(const QStringList& arguments = {},
                         const std::function<void(const QString&)>& prepare = {});
    ~FormFixture();

    QString folder() const { return dir.path() + QLatin1Char('/'); }
    // The window Help showed the guide's pages in; null before one was needed.
    static HelpBrowser* helpWindow();

    QTemporaryDir dir;
    AppContext context;
    QStringList opened;
    bool launcher = true; // whether the desktop has a launcher for what is opened
    int powerOffs = 0;
    QString powerOffRefusal; // what a power-off answers; empty: it was taken
    // What the open dialog and the folder browser answer; nothing (cancelled) unless set.
    std::function<QStringList(QWidget*, const QString&)> chooseFiles;
    std::function<QString(QWidget*, const QString&)> chooseFolder;
    std::function<QString(QWidget*, const QString&, const QString&)> chooseSaveFile;
    // The buses a run tells the desktop on: none unless a test connects its own.
    QDBusConnection systemBus{QString()};
    QDBusConnection sessionBus{QString()};
    bool chmViewer = false; // whether the desktop seems to show CHM files
    // With chmViewerLater, that question is kept unanswered in chmQuestions.
    bool chmViewerLater = false;
    QList<std::function<void(bool)>> chmQuestions;
    std::unique_ptr<TMainForm> form;
    std::unique_ptr<TAboutForm> about;
    std::unique_ptr<TSettingForm> setting;
    std::unique_ptr<TSizeForm> size;
};
