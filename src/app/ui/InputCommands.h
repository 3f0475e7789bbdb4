#pragma once

#include "engine/ProbeQueue.h"
#include "engine/TaskRows.h"
#include "tasks/TaskAdder.h"

#include <QObject>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <future>

struct AppContext;
struct TMainFormUi;
class QWidget;

// The window side of adding inputs: the Add Files and Add Directory commands, drops, the
// command line, and the list commands that come alive once the list holds a task. Rows appear
// at once; their files are read (probed) several at a time while the window stays free.
class InputCommands final : public QObject
{
    Q_OBJECT
public:
    struct Hooks
    {
        std::function<QString()> outputExt;
        std::function<void()> showCurrentTask; // the list's click handler
        std::function<int()> currentTask;      // the first selected row, -1 when none
    };

    InputCommands(QWidget* form, const TMainFormUi& ui, const AppContext& context,
                  const QString& encoderPath, Hooks hooks);

    void tbtnAddFileClick();
    void tbtnAddDirClick();
    // Dropped items in drop order; ignored while the list is disabled (a batch runs).
    void drop(const QList<QUrl>& urls);
    // The command line's paths; `unreadable` names the arguments already left out (escaped).
    // A list file's lines are looked at on a thread while the window goes on; they join the
    // list together when that is done.
    void AddCommandLineInputs(const QStringList& arguments, const QStringList& unreadable = {});
    // A later start's command line, read in its current folder: its files join the list as a
    // drop's would, once the list is enabled again when a run is converting. A list file it
    // names is read now, while the start that named it waits.
    void handOver(const QString& currentFolder, const QStringList& arguments,
                  const QStringList& unreadable);
    // The tasks kept from the last run, in one go; only those whose file was never read are
    // read now.
    void restore(const QList<TaskRecord>& tasks);
    void EnableListCommands();

    // Whether files are still being read, or a list file looked through; readingFinished tells
    // when the last one is.
    bool reading() const;
    // The window is closing: files still to be read are left unread, at once.
    void abandon();
    // Says under the list that converting starts once the files are read.
    void setStartWaiting(bool waiting);

    // Output options stored into a task: kept until its file is read, when it is still being read.
    void holdEdit(const QString& path, const OutputOptions& typed)
    {
        m_adder.HoldEdit(path, typed);
    }
    const OutputOptions* heldEdit(const QString& path) const { return m_adder.HeldEdit(path); }

    TaskRows& rows() { return m_rows; }
    const QString& openDialogFilter() const { return m_filter; }

signals:
    void readingFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Adds the paths as a drop does and tells of what was left out, these among them.
    void addPaths(const QStringList& paths, const QList<RefusedInput>& refused = {});
    void probed(const QString& path, const MediaProbe::Facts& facts);
    void encoderFailed(const QString& reason);
    // What the window shows of the reading, now or at its next paced moment.
    void showProgress();
    void showProgressSoon();
    // Names the inputs the last road left out, these among them: no regular files, or names
    // that are no text.
    void tellRefused(QList<RefusedInput> refusals = {});

    QWidget* m_form;
    const TMainFormUi& m_ui;
    const AppContext& m_context;
    QString m_encoderPath;
    Hooks m_hooks;
    QString m_filter;
    TaskRows m_rows;
    ProbeQueue m_probes;
    TaskAdder m_adder;
    QStringList m_handedOver; // waiting for the run to end
    int m_asked = 0;          // files given to read since the list was last fully read
    int m_read = 0;
    bool m_toldEncoderFailed = false;
    bool m_startWaiting = false;
    QTimer m_paced;
    std::future<TaskAdder::LookedPaths> m_looking; // a list file's paths, while looked at
    QString m_lastReport;                          // the latest file's report, for the memo
    bool m_reportShown = true;
};
