#include "app/FwApplication.h"
#include "app/TAboutForm.h"
#include "app/TMainForm.h"
#include "platform/FileDialogs.h"
#include "profiles/ParameterPanels.h"
#include "profiles/TSettingForm.h"
#include "profiles/TSizeForm.h"

int main(int argc, char** argv)
{
    FwApplication app(argc, argv);
    AppContext context;
    context.programFolder = QCoreApplication::applicationDirPath();
    context.moduleFolder = QCoreApplication::applicationDirPath();
    context.arguments = app.arguments().mid(1);
    context.chooseFiles = ChooseInputFiles;
    context.chooseFolder = BrowseForFolder;

    TMainForm mainForm(context);
    TAboutForm about(mainForm.version(), &mainForm);
    TSettingForm setting(&mainForm, mainForm.programFolder(), mainForm.profileNames());
    TSizeForm size(&mainForm, mainForm.grid(ParameterPanels::Video));
    mainForm.setDialogs(&about, &setting, &size);
    mainForm.show();
    return app.exec();
}
