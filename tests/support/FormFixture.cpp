#include "FormFixture.h"

#include "app/ui/TAboutForm.h"
#include "app/ui/TMainForm.h"
#include "platform/ui/HelpBrowser.h"
#include "profiles/ui/ParameterPanels.h"
#include "profiles/ui/TSettingForm.h"
#include "profiles/ui/TSizeForm.h"

#include <QApplication>

FormFixture::FormFixture(const QStringList& arguments,
                         const std::function<void(const QString&)>& prepare)
{
    if (prepare)
        prepare(folder());
    context.programFolder = dir.path();
    context.moduleFolder = qEnvironmentVariable("FW_PROGRAM_DIR");
    context.arguments = arguments;
    context.powerOff = [this] {
        ++powerOffs;
        return powerOffRefusal;
    };
    context.openPath = [this](const QString& path) {
        if (launcher)
            opened << path;
        return launcher;
    };
    context.chooseFiles = [this](QWidget* owner, const QString& filter) {
        return chooseFiles ? chooseFiles(owner, filter) : QStringList();
    };
    context.chooseFolder = [this](QWidget* owner, const QString& title) {
        return chooseFolder ? chooseFolder(owner, title) : QString();
    };
    context.chooseSaveFile = [this](QWidget* owner, const QString& filter, const QString& folder) {
        return chooseSaveFile ? chooseSaveFile(owner, filter, folder) : QString();
    };
    context.systemBus = [this] { return systemBus; };
    context.sessionBus = [this] { return sessionBus; };
    context.askChmViewer = [this](std::function<void(bool)> answered) {
        if (chmViewerLater)
            chmQuestions << std::move(answered);
        else
            answered(chmViewer);
    };
    form = std::make_unique<TMainForm>(context);
    about = std::make_unique<TAboutForm>(form->version(), form.get());
    setting = std::make_unique<TSettingForm>(form.get(), form->settingsLink());
    size = std::make_unique<TSizeForm>(form.get(), form->grid(ParameterPanels::Video));
    form->setDialogs(about.get(), setting.get(), size.get());
}

FormFixture::~FormFixture()
{
    // The dialogs are children of the main window; release them before it goes.
    size.reset();
    setting.reset();
    about.reset();
    form.reset();
}

HelpBrowser* FormFixture::helpWindow()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* help = qobject_cast<HelpBrowser*>(window))
            return help;
    }
    return nullptr;
}
