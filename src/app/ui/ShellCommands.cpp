#include "ShellCommands.h"

#include "AppContext.h"
#include "TAboutForm.h"
#include "TMainFormUi.h"
#include "base/PathText.h"
#include "platform/HelpViewer.h"
#include "platform/ui/HelpBrowser.h"
#include "profiles/ui/SettingsLink.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>

ShellCommands::ShellCommands(QWidget* form, const TMainFormUi& ui, const AppContext& context)
    : QObject(form), m_form(form), m_ui(ui), m_context(context)
{}

ShellCommands::~ShellCommands() = default;

void ShellCommands::bbtnBrowserClick()
{
    const QString folder = ChooseOutputFolder(m_context.chooseFolder, m_form);
    if (!folder.isEmpty())
        m_ui.edtOutputdir->setText(folder);
}

void ShellCommands::bbtnOpenClick()
{
    const QString folder = m_ui.edtOutputdir->text();
    if (!folder.isEmpty() && QFileInfo(folder).isDir() && m_context.openPath)
        m_context.openPath(folder);
}

void ShellCommands::tbtnHelpClick()
{
    // Most desktops here have no viewer for the compiled guide; its pages show in our window.
    if (!m_context.askChmViewer) {
        openHelp(false);
        return;
    }
    // A click before the desktop has answered opens the guide once it has.
    m_context.askChmViewer([self = QPointer<ShellCommands>(this)](bool viewer) {
        if (self)
            self->openHelp(viewer);
    });
}

void ShellCommands::openHelp(bool chmViewer)
{
    // Only the compiled guide goes to the desktop. A launcher for web pages may be missing (a
    // bare window manager, a remote display) or start one that shows nothing, without a word;
    // our own window shows the pages anywhere, and takes over when the desktop has no launcher.
    const QString target = HelpTarget(m_context.programFolder, chmViewer);
    if (target != HelpPages(m_context.programFolder) && m_context.openPath &&
        m_context.openPath(target))
        return;
    if (!m_help)
        m_help = std::make_unique<HelpBrowser>(HelpPages(m_context.programFolder));
    m_help->showContents();
}

void ShellCommands::tbtnAboutClick()
{
    if (!m_about)
        return;
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}
