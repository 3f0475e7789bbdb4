#include "WindowBatchSettings.h"

#include "TMainFormUi.h"
#include "profiles/TSettingForm.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

WindowBatchSettings::WindowBatchSettings(const TMainFormUi& ui, std::function<QString()> outputExt)
    : m_ui(ui), m_outputExt(std::move(outputExt))
{}

QString WindowBatchSettings::outputFolder() const
{
    return m_ui.edtOutputdir->text();
}

QString WindowBatchSettings::outputExt() const
{
    return m_outputExt();
}

bool WindowBatchSettings::renameExisting() const
{
    return m_setting && m_setting->rdbRename->isChecked();
}

bool WindowBatchSettings::openFolderWhenDone() const
{
    return m_setting && m_setting->chkOpenDir->isChecked();
}

bool WindowBatchSettings::exitWhenDone() const
{
    return m_setting && m_setting->chkExit->isChecked();
}

bool WindowBatchSettings::turnOffWhenDone() const
{
    return m_setting && m_setting->chkTurnoff->isChecked();
}
