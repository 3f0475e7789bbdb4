#pragma once

#include "SettingsLink.h"
#include "profiles/Preferences.h"

#include "OwnerLockingDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class ParameterPanels;

// The Settings dialog: preferences on its General tab, a profile's stored choices on its
// Profiles tab. Created once at start-up and only shown and hidden afterwards; while shown it
// disables the main window. Its General-tab controls are the live settings a batch reads.
// Handlers that touch files throw FwError; the window that wires them shows it.
class TSettingForm final : public OwnerLockingDialog
{
    Q_OBJECT
public:
    TSettingForm(QWidget* mainWindow, SettingsLink link);

    QTabWidget* pgcSetting = nullptr;
    QLineEdit* edtOutputDir = nullptr;
    QToolButton* sbtnBrowse = nullptr;
    QComboBox* cmbSyn = nullptr;
    QCheckBox* chkOpenDir = nullptr;
    QCheckBox* chkExit = nullptr;
    QCheckBox* chkTurnoff = nullptr;
    QComboBox* cmbTasks = nullptr;
    QCheckBox* chkSkipCompleted = nullptr;
    QRadioButton* rdbOverWrite = nullptr;
    QRadioButton* rdbRename = nullptr;
    QComboBox* cmbProfile = nullptr;
    QPushButton* btnSaveAs = nullptr;
    ParameterPanels* panels = nullptr;
    QPushButton* btnDefault = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    // Shows the dialog on its General (0) or Profiles (1) tab.
    void showOn(int tab);

    void LoadPreferences();
    void SavePreferences();
    void LoadDefaults();
    void btnOKClick();
    void btnCancelClick();
    void btnDefaultClick();
    void sbtnBrowseClick();
    void cmbProfileChange();
    void btnSaveAsClick();

    // The General tab as it stands: what a batch goes by.
    GeneralSettings general() const;
    QString profilePath() const;
    // Lists the profiles again, keeping the one chosen.
    void refreshProfiles();

protected:
    // The first control of the page it opens on.
    QWidget* firstField() const override;
    void FormShow() override;
    void FormClose(int result) override;

private:
    QWidget* buildGeneralTab();
    QWidget* buildProfilesTab();
    void setGeneral(const GeneralSettings& settings);
    Preferences preferences() const;
    bool withPreferences(const std::function<void()>& body);

    SettingsLink m_link;
    GeneralSettings m_shown; // the General tab when the dialog was shown, for Cancel
    QString m_chosenFile;    // the profile choice last taken, to go back to
};
