#pragma once

#include "ConsoleReport.h"
#include "engine/BatchRun.h"
#include "engine/ProbeQueue.h"
#include "engine/TaskModel.h"
#include "engine/TaskRows.h"
#include "tasks/TaskAdder.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// The batch command's run: the inputs become tasks as the window's command line makes them,
// and one batch run converts them with the window's rules while their files are still being
// read. Tells the report of each task and ends with the exit status.
class ConsoleBatch final : public QObject
{
    Q_OBJECT
public:
    ConsoleBatch(const QString& encoderPath, ConsoleReport& report, QObject* parent = nullptr);

    // Adds the inputs and starts converting; returns at once. An input that cannot become a task
    // is reported as failed.
    void start(const QStringList& inputs, const QString& arguments, const BatchSettings& settings);
    // A stop signal: every encoder is stopped and the run ends with 128 + the signal's number.
    void stop(int signal);

signals:
    void finished(int exitStatus);

private:
    void addInputs(const QStringList& inputs);
    void notATask(const QString& path, const QString& reason);
    void watch(int first, int last);
    void showProgress();
    void end(const BatchOutcome& outcome);

    ConsoleReport& m_report;
    TaskModel m_model;
    TaskRows m_rows{&m_model};
    TaskAdder m_adder;
    ProbeQueue m_probes;
    BatchRun m_run;
    QList<TaskState> m_seen; // each row's state as last reported
    ConsoleReport::Tally m_tally;
    QElapsedTimer m_elapsed;
    QTimer m_ticker;
    int m_signal = 0;
};
