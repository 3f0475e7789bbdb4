#pragma once

#include "AppContext.h"
#include "TMainFormUi.h"

#include <QWidget>

class Command;
class InputCommands;
class OutputPanel;
class PreviewPlayer;
class ProfileChoice;
class TAboutForm;
class TSettingForm;
class TSizeForm;
class TaskRows;
class ValueListEditor;
class WindowFrame;

// The main window. It builds its controls, runs the start-up, show and close steps, and wires
// each command to the handler of the part of the window it belongs to; the work itself is done
// by those parts and by the logic beneath them.
class TMainForm final : public QWidget
{
    Q_OBJECT
public:
    explicit TMainForm(const AppContext& context, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The secondary windows are created after the main window and handed over here.
    void setDialogs(TAboutForm* about, TSettingForm* setting, TSizeForm* size);

    const TMainFormUi& ui() const { return m_ui; }
    QString programFolder() const { return m_context.programFolder; }
    QString EncoderPath() const { return m_encoderPath; }
    QString version() const { return m_version; }
    QString helpFile() const { return m_helpFile; }

    TaskRows& rows();
    QString OutputExt() const;
    int currentTask() const; // the first selected row, -1 when none
    ValueListEditor* grid(int panel) const;
    PreviewPlayer& preview() const { return *m_preview; }
    QStringList profileNames() const;

    void LoadPreferences();
    void SavePreferences();
    void tbtnSettingClick();
    void bbtnSettingClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void ReadVersion();
    void SetHints();
    void wireCommands();
    Command& command(std::function<void()> handler);
    QString preferencesPath() const;

    AppContext m_context;
    TMainFormUi m_ui;
    QString m_encoderPath;
    QString m_version;
    QString m_helpFile;
    bool m_shown = false;

    WindowFrame* m_frame = nullptr;
    ProfileChoice* m_profiles = nullptr;
    OutputPanel* m_output = nullptr;
    InputCommands* m_inputs = nullptr;
    PreviewPlayer* m_preview = nullptr;

    TAboutForm* m_about = nullptr;
    TSettingForm* m_setting = nullptr;
    TSizeForm* m_size = nullptr;
};
