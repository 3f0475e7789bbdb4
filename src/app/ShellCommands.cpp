#include "ShellCommands.h"

#include "AppContext.h"
#include "TAboutForm.h"
#include "TMainFormUi.h"
#include "base/PathText.h"
#include "platform/HelpViewer.h"
#include "profiles/SettingsLink.h"

#include <QFileInfo>
#include <QLineEdit>

ShellCommands::ShellCommands(QWidget* form, const TMainFormUi& ui, const AppContext& context)
    : QObject(form), m_form(form), m_ui(ui), m_context(context)
{}

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
    // Most desktops here have no viewer for the compiled guide; its pages go to the browser.
    const bool viewer = m_context.hasChmViewer && m_context.hasChmViewer();
    if (m_context.openPath)
        m_context.openPath(HelpTarget(m_context.programFolder, viewer));
}

void ShellCommands::tbtnAboutClick()
{
    if (!m_about)
        return;
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}
