#include "FwApplication.h"
#include "TAboutForm.h"
#include "TMainForm.h"
#include "WindowHandOff.h"
#include "base/PathText.h"
#include "platform/ChmViewerQuery.h"
#include "platform/DataHome.h"
#include "platform/ShellOpen.h"
#include "platform/StartMarks.h"
#include "platform/ui/BrowseForFolder.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/PowerOff.h"
#include "profiles/ShippedProfiles.h"
#include "profiles/ui/ParameterPanels.h"
#include "profiles/ui/TSettingForm.h"
#include "profiles/ui/TSizeForm.h"

#include <QDir>
#include <QTimer>

#include <memory>

int main(int argc, char** argv)
{
    StartMark("main");
    FwApplication app(argc, argv);
    StartMark("application");
    AppContext context;
    context.programFolder = QCoreApplication::applicationDirPath();
    // An installed program folder the user cannot write keeps nothing of the user's.
    const DataHome home = ChooseDataHome(context.programFolder, UserDataFolder());
    SeedShippedProfiles(context.programFolder, home);
    context.dataFolder = home.folder;
    if (!home.portable)
        context.defaultOutput = UserOutputFolder();
    context.moduleFolder = QCoreApplication::applicationDirPath();
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (IsValidUtf8(argument))
            context.arguments << QString::fromUtf8(argument);
        else
            context.unreadableArguments << EscapedName(argument);
    }
    // One window per data folder: a start while one is open hands its files to it and ends.
    WindowHandOff handOff(context.dataFolder);
    switch (handOff.claim({QDir::currentPath(), context.arguments, context.unreadableArguments})) {
    case WindowHandOff::HandedOff:
        return 0;
    case WindowHandOff::Alone:
        context.keepsList = false;
        break;
    case WindowHandOff::First:
        break;
    }
    StartMark("hand-off");
    context.restoreWhileShowing = true;
    context.openPath = OpenInShell;
    // Asked as soon as the window is up, so that Help has its answer by the time it is clicked.
    ChmViewerQuery chmViewer;
    QTimer::singleShot(0, [&chmViewer] { chmViewer.start(); });
    context.askChmViewer = [&chmViewer](std::function<void(bool)> answered) {
        chmViewer.whenAnswered(std::move(answered));
    };
    context.chooseFiles = ChooseInputFiles;
    context.chooseFolder = BrowseForFolder;
    context.chooseSaveFile = ChooseSaveFile;
    context.powerOff = ShutdownComputer;
    context.systemBus = [] { return QDBusConnection::systemBus(); };
    context.sessionBus = [] { return QDBusConnection::sessionBus(); };

    TMainForm mainForm(context);
    StartMark("window made");
    // The window shows first; the secondary windows, made once and kept until the end, follow
    // at once, in their order, before anything the user does can need them.
    std::unique_ptr<TAboutForm> about;
    std::unique_ptr<TSettingForm> setting;
    std::unique_ptr<TSizeForm> size;
    QTimer::singleShot(0, &mainForm, [&] {
        about = std::make_unique<TAboutForm>(mainForm.version(), &mainForm);
        setting = std::make_unique<TSettingForm>(&mainForm, mainForm.settingsLink());
        size = std::make_unique<TSizeForm>(&mainForm, mainForm.grid(ParameterPanels::Video));
        mainForm.setDialogs(about.get(), setting.get(), size.get());
    });
    QObject::connect(&handOff, &WindowHandOff::handedOver, &mainForm,
                     [&mainForm](const WindowHandOff::CommandLine& line) {
                         mainForm.openFiles(line.currentFolder, line.arguments, line.unreadable);
                     });
    // From the moment the window has closed, a later start waits to become the first itself.
    QObject::connect(&app, &QGuiApplication::lastWindowClosed, &handOff, &WindowHandOff::close);
    mainForm.show();
    StartMark("shown");
    MarkFirstFrame();
    return app.exec();
}
