#pragma once

#include "AppContext.h"
#include "TMainFormUi.h"
#include "profiles/ui/SettingsLink.h"

#include <QWidget>

class BatchPanel;
class Command;
class ImageToolbar;
class InputCommands;
class KeptQueue;
class OutputPanel;
class PreviewPlayer;
class ProfileChoice;
class SettingsCommands;
class ShellCommands;
class TAboutForm;
class TSettingForm;
class TSizeForm;
class TaskListCommands;
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

    // A later start's command line, handed to this window: its files join the list as a drop's
    // would, and the window comes to the front.
    void openFiles(const QString& currentFolder, const QStringList& arguments,
                   const QStringList& unreadable);

    // The secondary windows are created after the main window and handed over here.
    void setDialogs(TAboutForm* about, TSettingForm* setting, TSizeForm* size);

    const TMainFormUi& ui() const { return m_ui; }
    ImageToolbar& toolbar() { return *m_toolbar; }
    TaskListCommands* taskList() const { return m_list; }
    OutputPanel* outputPanel() const { return m_output; }
    QString programFolder() const { return m_context.programFolder; }
    QString EncoderPath() const { return m_encoderPath; }
    QString version() const { return m_version; }
    QString helpFile() const { return m_helpFile; }

    TaskRows& rows();
    bool reading() const; // files added are still being read
    BatchPanel& batch() { return *m_batch; }
    QString OutputExt() const;
    int currentTask() const; // the first selected row, -1 when none
    ValueListEditor* grid(int panel) const;
    QStringList profileFiles() const;
    // What the Settings dialog needs of this window.
    SettingsLink settingsLink();
    PreviewPlayer& preview() const { return *m_preview; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void SetHints();
    void wireCommands();
    Command& command(std::function<void()> handler);

    AppContext m_context;
    TMainFormUi m_ui;
    QString m_encoderPath;
    QString m_version;
    QString m_helpFile;
    bool m_shown = false;

    WindowFrame* m_frame = nullptr;
    ImageToolbar* m_toolbar = nullptr;
    ProfileChoice* m_profiles = nullptr;
    OutputPanel* m_output = nullptr;
    InputCommands* m_inputs = nullptr;
    ShellCommands* m_shell = nullptr;
    SettingsCommands* m_settings = nullptr;
    BatchPanel* m_batch = nullptr;
    TaskListCommands* m_list = nullptr;
    KeptQueue* m_queue = nullptr;
    PreviewPlayer* m_preview = nullptr;

    TAboutForm* m_about = nullptr;
    TSettingForm* m_setting = nullptr;
    TSizeForm* m_size = nullptr;
};
