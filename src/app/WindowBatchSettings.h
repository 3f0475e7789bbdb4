#pragma once

#include "engine/BatchSettings.h"

#include <functional>

struct TMainFormUi;
class TSettingForm;

// A run's choices as the window holds them: the output folder field, the loaded profile's
// extension, and the Settings dialog's General tab (defaults until the dialog exists).
class WindowBatchSettings final : public BatchSettings
{
public:
    WindowBatchSettings(const TMainFormUi& ui, std::function<QString()> outputExt);

    void setSettingForm(TSettingForm* setting) { m_setting = setting; }

    QString outputFolder() const override;
    QString outputExt() const override;
    bool renameExisting() const override;
    bool openFolderWhenDone() const override;
    bool exitWhenDone() const override;
    bool turnOffWhenDone() const override;

private:
    const TMainFormUi& m_ui;
    std::function<QString()> m_outputExt;
    TSettingForm* m_setting = nullptr;
};
