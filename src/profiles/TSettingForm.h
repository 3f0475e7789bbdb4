#pragma once

#include <QDialog>

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
// disables the main window.
class TSettingForm final : public QDialog
{
    Q_OBJECT
public:
    // profiles: the profile files as the main window lists them.
    TSettingForm(QWidget* mainWindow, const QString& programFolder, const QStringList& profiles);

    QTabWidget* pgcSetting = nullptr;
    QLineEdit* edtOutputDir = nullptr;
    QToolButton* sbtnBrowse = nullptr;
    QComboBox* cmbSyn = nullptr;
    QCheckBox* chkOpenDir = nullptr;
    QCheckBox* chkExit = nullptr;
    QCheckBox* chkTurnoff = nullptr;
    QRadioButton* rdbOverWrite = nullptr;
    QRadioButton* rdbRename = nullptr;
    QComboBox* cmbProfile = nullptr;
    QPushButton* btnSaveAs = nullptr;
    ParameterPanels* panels = nullptr;
    QPushButton* btnDefault = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    void cmbProfileChange();
    QString profilePath() const;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    QWidget* buildGeneralTab();
    QWidget* buildProfilesTab();

    QWidget* m_mainWindow;
    QString m_programFolder;
};
