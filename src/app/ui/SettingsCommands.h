#pragma once

#include "profiles/Preferences.h"
#include "profiles/ui/SettingsLink.h"

#include <QObject>

#include <functional>

struct AppContext;
struct TMainFormUi;
class ProfileChoice;
class QWidget;
class TSettingForm;

// The window side of the preferences: the main window's own reading and saving of
// Preferences.ini, the Settings dialog opened on one of its tabs, and what the dialog is told of
// the main window.
class SettingsCommands final : public QObject
{
    Q_OBJECT
public:
    SettingsCommands(QWidget* form, const TMainFormUi& ui, const AppContext& context,
                     ProfileChoice& profiles);

    // The version the preferences name, "3.0" when they name none or cannot be read.
    QString ReadVersion();
    SettingsLink link();
    // The dialog is made after the main window: its buttons are wired and it reads the
    // preferences into its controls.
    void setDialog(TSettingForm* dialog);

    void tbtnSettingClick();
    void bbtnSettingClick();
    void LoadPreferences();
    void SavePreferences();

private:
    Preferences preferences() const;
    // Runs a read or write of Preferences.ini. A failure is said once a session, whatever the
    // step; false when it failed.
    bool withPreferences(const std::function<void()>& body);

    QWidget* m_form;
    const TMainFormUi& m_ui;
    const AppContext& m_context;
    ProfileChoice& m_profiles;
    TSettingForm* m_dialog = nullptr;
    bool m_preferencesTold = false;
};
