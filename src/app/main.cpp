#include "app/FwApplication.h"
#include "app/TAboutForm.h"
#include "app/TMainForm.h"
#include "platform/BrowseForFolder.h"
#include "platform/DataHome.h"
#include "platform/FileDialogs.h"
#include "platform/HelpViewer.h"
#include "platform/PowerOff.h"
#include "platform/ShellOpen.h"
#include "profiles/ParameterPanels.h"
#include "profiles/TSettingForm.h"
#include "profiles/TSizeForm.h"

int main(int argc, char** argv)
{
    FwApplication app(argc, argv);
    AppContext context;
    context.programFolder = QCoreApplication::applicationDirPath();
    // An installed program folder the user cannot write keeps nothing of the user's.
    const DataHome home = ChooseDataHome(context.programFolder, UserDataFolder());
    context.dataFolder = home.folder;
    if (!home.portable)
        context.defaultOutput = UserOutputFolder();
    context.moduleFolder = QCoreApplication::applicationDirPath();
    context.arguments = app.arguments().mid(1);
    context.openPath = OpenInShell;
    context.hasChmViewer = [] { return ChmViewerExists(); };
    context.chooseFiles = ChooseInputFiles;
    context.chooseFolder = BrowseForFolder;
    context.chooseSaveFile = ChooseSaveFile;
    context.powerOff = ShutdownComputer;

    TMainForm mainForm(context);
    TAboutForm about(mainForm.version(), &mainForm);
    TSettingForm setting(&mainForm, mainForm.settingsLink());
    TSizeForm size(&mainForm, mainForm.grid(ParameterPanels::Video));
    mainForm.setDialogs(&about, &setting, &size);
    mainForm.show();
    return app.exec();
}
