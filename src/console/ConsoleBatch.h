#pragma once

#include "ConsoleReport.h"
#include "engine/BatchRun.h"
#include "engine/ProbeQueue.h"
#include "engine/TaskModel.h"
#include "engine/TaskRows.h"
#include "platform/StopSignals.h"
#include "tasks/TaskAdder.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>

// The batch command's run: the inputs become tasks as the window's command line makes them,
// and one batch run converts them with the window's rules while their files are still being
// read. Tells the report of each task and ends with the exit status.
//
// SIGINT, SIGTERM and SIGHUP stop the run once it converts. Before that they keep their default
// action: nothing is under way that needs stopping, and only that action ends even a read from a
// network file system that hangs. An output that can no longer be written stops the run as
// SIGPIPE would, so that nothing goes on converting unseen.
class ConsoleBatch final : public QObject
{
    Q_OBJECT
public:
    // reportFd: the descriptor the report writes to, watched for its reader going away; -1 for
    // none.
    ConsoleBatch(const QString& encoderPath, ConsoleReport& report, int reportFd = -1,
                 QObject* parent = nullptr);
    ~ConsoleBatch() override;

    // Adds the inputs and starts converting; returns at once. An input that cannot become a task
    // is reported as failed.
    void start(const QStringList& inputs, const QString& arguments, const BatchSettings& settings);
    // A stop signal: every encoder is stopped and the run ends with 128 + the signal's number
    // (of the first, when more come).
    void stop(int signal);

signals:
    void finished(int exitStatus);

private:
    void readLength(const QString& path);
    void addInputs(const QStringList& inputs);
    void notATask(const QString& path, const QString& reason);
    QString reason(Refusal why) const;
    void taskEnded(int row, TaskState state, const QString& output, const QString& reason);
    void showProgress();
    void end(const BatchOutcome& outcome);
    int status(const BatchOutcome& outcome) const;

    ConsoleReport& m_report;
    int m_watchedOutput;
    TaskModel m_model;
    TaskRows m_rows{&m_model};
    TaskAdder m_adder;
    ProbeQueue m_probes;
    BatchRun m_run;
    ConsoleReport::Tally m_tally;
    QElapsedTimer m_elapsed;
    QTimer m_ticker;
    std::unique_ptr<StopSignals> m_stopSignals;
    int m_signal = 0;
    bool m_ended = false;
};
