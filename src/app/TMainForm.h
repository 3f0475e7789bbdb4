#pragma once

#include "AppContext.h"
#include "TMainFormUi.h"
#include "engine/MediaProbe.h"
#include "engine/TaskRows.h"
#include "tasks/TaskAdder.h"

#include <QWidget>

class TAboutForm;
class TSettingForm;
class TSizeForm;
class ValueListEditor;

// The main window. It owns the task list, the parameter panels, the preview and the progress
// area; its handlers carry the names of the design and hand the work to the logic classes.
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

    void FormResize();
    void panSplitterMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x);
    void panSplitterClick() {}
    void LoadPreferences();
    void SavePreferences();
    void HideGettingStarted();

    // Adding inputs.
    TaskRows& rows() { return m_rows; }
    TaskAdder& adder() { return m_adder; }
    QString openDialogFilter() const { return m_filter; }
    void setFileChooser(std::function<QStringList(QWidget*, const QString&)> chooser)
    {
        m_context.chooseFiles = std::move(chooser);
    }
    void setFolderChooser(std::function<QString(QWidget*, const QString&)> chooser)
    {
        m_context.chooseFolder = std::move(chooser);
    }
    void tbtnAddFileClick();
    void tbtnAddDirClick();
    void ltvTaskClick();
    void EnableListCommands();
    int currentTask() const; // the first selected row, -1 when none

    // Profiles and their panels.
    QString OutputExt;
    void cmbProfileChange();
    void vleVideoStringsChange();
    void bbtnSettingClick();
    void tbtnSettingClick();
    ValueListEditor* grid(int panel) const;
    QStringList profileNames() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void ReadVersion();
    void BuildInputTypes();
    void FillProfileList();
    void AddCommandLineInputs();
    void SetHints();
    QString preferencesPath() const;

    AppContext m_context;
    TMainFormUi m_ui;
    QString m_encoderPath;
    QString m_version;
    QString m_helpFile;
    QString m_filter;
    TaskRows m_rows;
    MediaProbe m_probe;
    TaskAdder m_adder;
    bool m_shown = false;

    TAboutForm* m_about = nullptr;
    TSettingForm* m_setting = nullptr;
    TSizeForm* m_size = nullptr;
};
