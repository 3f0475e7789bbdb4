#include "TSettingForm.h"

TSettingForm::TSettingForm(QWidget* mainWindow) : QDialog(mainWindow), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("TSettingForm"));
    setWindowTitle(QStringLiteral("Settings"));
    setFixedSize(391, 498);
}
