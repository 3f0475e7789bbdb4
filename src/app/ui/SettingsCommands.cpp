#include "SettingsCommands.h"

#include "AppContext.h"
#include "Command.h"
#include "ErrorReport.h"
#include "ProfileChoice.h"
#include "TMainFormUi.h"
#include "base/FwError.h"
#include "profiles/ui/TSettingForm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

SettingsCommands::SettingsCommands(QWidget* form, const TMainFormUi& ui, const AppContext& context,
                                   ProfileChoice& profiles)
    : QObject(form), m_form(form), m_ui(ui), m_context(context), m_profiles(profiles)
{}

Preferences SettingsCommands::preferences() const
{
    return Preferences::InFolder(m_context.dataFolder, m_context.defaultOutput);
}

bool SettingsCommands::withPreferences(const std::function<void()>& body)
{
    try {
        body();
        return true;
    } catch (const FwError& error) {
        // The file stays as it is until the user mends it; each later try would only say
        // the same again.
        if (!m_preferencesTold) {
            m_preferencesTold = true;
            ShowError(m_form->isVisible() ? m_form : nullptr, error.text());
        }
    }
    return false;
}

QString SettingsCommands::ReadVersion()
{
    QString version = Preferences::DefaultVersion();
    withPreferences([&] { version = preferences().Version(); });
    return version;
}

SettingsLink SettingsCommands::link()
{
    SettingsLink link;
    link.dataFolder = m_context.dataFolder;
    link.defaultOutput = m_context.defaultOutput;
    link.profileFiles = m_profiles.profileFiles();
    link.mainOutput = [this] { return m_ui.edtOutputdir->text(); };
    link.setMainOutput = [this](const QString& folder) { m_ui.edtOutputdir->setText(folder); };
    link.mainProfile = [this] { return m_ui.cmbProfile->currentText(); };
    link.reloadMainProfile = [this] { m_profiles.cmbProfileChange(); };
    link.profilesChanged = [this] { m_profiles.refreshProfileList(); };
    link.withPreferences = [this](const std::function<void()>& body) {
        return withPreferences(body);
    };
    link.chooseFolder = m_context.chooseFolder;
    link.chooseSaveFile = m_context.chooseSaveFile;
    return link;
}

void SettingsCommands::setDialog(TSettingForm* dialog)
{
    m_dialog = dialog;
    const auto on = [dialog](auto* sender, auto signal, std::function<void()> handler) {
        (new Command(dialog, std::move(handler)))->on(sender, signal);
    };
    on(dialog->btnOK, &QPushButton::clicked, [dialog] { dialog->btnOKClick(); });
    on(dialog->btnCancel, &QPushButton::clicked, [dialog] { dialog->btnCancelClick(); });
    on(dialog->btnDefault, &QPushButton::clicked, [dialog] { dialog->btnDefaultClick(); });
    on(dialog->sbtnBrowse, &QToolButton::clicked, [dialog] { dialog->sbtnBrowseClick(); });
    on(dialog->btnSaveAs, &QPushButton::clicked, [dialog] { dialog->btnSaveAsClick(); });
    on(dialog->cmbProfile, &QComboBox::activated, [dialog] { dialog->cmbProfileChange(); });
    dialog->LoadPreferences();
}

void SettingsCommands::tbtnSettingClick()
{
    if (m_dialog)
        m_dialog->showOn(0);
}

void SettingsCommands::bbtnSettingClick()
{
    if (!m_dialog)
        return;
    m_dialog->cmbProfile->setCurrentIndex(m_ui.cmbProfile->currentIndex());
    m_dialog->showOn(1);
    m_dialog->cmbProfileChange();
}

void SettingsCommands::LoadPreferences()
{
    // Unreadable preferences leave the defaults, as a missing file does.
    Preferences::WindowChoice stored{m_context.defaultOutput, 0, QString()};
    withPreferences([&] { stored = preferences().Window(); });
    m_ui.edtOutputdir->setText(stored.outputPath);
    QComboBox* box = m_ui.cmbProfile;
    if (box->count() == 0)
        return;
    // The file name still names the profile after others came or went; the position serves
    // files written without it. A position the list does not have chooses nothing.
    int chosen = stored.profileFile.isEmpty() ? -1 : box->findData(stored.profileFile);
    if (chosen < 0)
        chosen = stored.profile >= 0 && stored.profile < box->count() ? stored.profile : -1;
    box->setCurrentIndex(chosen);
    m_profiles.cmbProfileChange();
}

void SettingsCommands::SavePreferences()
{
    const Preferences::WindowChoice window{m_ui.edtOutputdir->text(),
                                           m_ui.cmbProfile->currentIndex(),
                                           m_ui.cmbProfile->currentData().toString()};
    withPreferences([&] {
        preferences().SaveWindow(window, m_dialog ? m_dialog->general() : preferences().General());
    });
}
