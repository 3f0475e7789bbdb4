#pragma once

#include "engine/BatchRun.h"
#include "profiles/ParamRow.h"

#include <QMessageBox>
#include <QObject>
#include <QPointer>

#include <functional>

struct AppContext;
class DesktopLink;
struct TMainFormUi;
class TaskRows;
class TSettingForm;
class QWidget;

// The window side of converting: the Start and Stop commands and images, the locking of the
// window while a run lasts, and the progress strip with its bars, labels and clock. The run
// itself is a BatchRun; this class shows what it reports and carries out how it ended.
class BatchPanel final : public QObject
{
    Q_OBJECT
public:
    struct Hooks
    {
        std::function<QString()> outputExt;
        std::function<QString()> profilePath; // the chosen profile's file
        std::function<void()> stopPreview;    // nothing plays while a run converts
        // Files added are still being read; a run waits for them, told by afterReading().
        std::function<bool()> reading;
        std::function<void(bool)> waitingForReading;
    };

    BatchPanel(QWidget* form, const TMainFormUi& ui, const AppContext& context, TaskRows& rows,
               const QString& encoderPath, Hooks hooks);

    void setSettingForm(TSettingForm* setting) { m_setting = setting; }
    const BatchRun& run() const { return m_run; }

    void imgStartClick();
    void tbtnStartClick();
    void imgStopClick();
    void tbtnStopClick();
    void timerTimeTimer();

    // The window's close asks first: true when it may close now. While a run converts it asks
    // the user instead and, on Yes, stops the run and closes the window itself.
    bool mayClose();

    BatchRun& run() { return m_run; }
    // The last added file is read: a Start that waited for it goes ahead now.
    void afterReading();

private:
    void lock(bool locked);
    // Start shows again in Stop's place, and takes the focus if Stop had it.
    void swapToStart();
    // Refuses a Start the run could not carry out, with a box; true when it may go ahead.
    bool mayStart();
    // The output folder field, the profile's type and the Settings dialog's General tab as
    // they are now (the tab's defaults until the dialog exists).
    void convert();
    void waitForReading(bool waiting);
    // The list keeps the first converting row in view, unless the user scrolled elsewhere
    // during the run.
    void followWork();
    void showStarted();
    void showProgress(int current, int total);
    void showEnd(const BatchOutcome& outcome);
    void restore();

    QWidget* m_form;
    const TMainFormUi& m_ui;
    const AppContext& m_context;
    TaskRows& m_rows;
    Hooks m_hooks;
    TSettingForm* m_setting = nullptr;
    BatchRun m_run;
    DesktopLink* m_desktop;
    bool m_waiting = false;                // Start pressed while files were still being read
    bool m_following = false;              // the list scrolls because the run moved on
    bool m_scrolledAway = false;           // the user scrolled the list during the run
    QPointer<QMessageBox> m_closeQuestion; // asked while a run converts, until answered
};
