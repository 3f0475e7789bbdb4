#pragma once

#include <QDialog>

// The Settings dialog: preferences on its General tab, a profile's stored choices on its
// Profiles tab. Created once at start-up and only shown and hidden afterwards.
class TSettingForm final : public QDialog
{
    Q_OBJECT
public:
    explicit TSettingForm(QWidget* mainWindow);

private:
    QWidget* m_mainWindow;
};
