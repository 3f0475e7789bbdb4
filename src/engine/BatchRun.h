#pragma once

#include "engine/BatchClock.h"
#include "engine/BatchOutcome.h"
#include "engine/BatchSettings.h"
#include "engine/ConversionJob.h"
#include "engine/OutputNamer.h"
#include "engine/TaskRecord.h"

#include <QObject>

#include <memory>
#include <vector>

class TaskRows;

// Converts the tasks of the list in list order, as many at once as the settings allow: it
// hands each task to a conversion job and starts the next when a job reports its end, so that
// the window is never held up. It writes each task's status and outcome, sums the progress for
// the progress area and carries out what follows the last task; the window shows it and knows
// nothing of the rules.
class BatchRun final : public QObject
{
    Q_OBJECT
public:
    enum State { Idle = 0, Converting = 1, StopRequested = 2 };

    BatchRun(TaskRows& rows, const QString& encoderPath, QObject* parent = nullptr);
    ~BatchRun() override;

    // Starts a run over the list with the profile's arguments and the settings as they are now,
    // and returns at once; the first tasks start from the event loop. Ignored while a run is
    // active.
    void RunBatch(const QString& arguments, const BatchSettings& settings);

    // The Stop command: while converting, asks the run to stop and ends every encoder. The run
    // then ends stopped, from the event loop.
    void Stop();
    // Ends an active run at once and quietly, with no outcome reported: the program is closing.
    void abandon();

    State state() const { return m_state; }
    BatchClock& clock() { return m_clock; }
    int currentPosition() const { return m_currentBar; }
    int totalPosition() const { return m_totalBar; }
    // The rows being converted now, in list order.
    QList<int> convertingRows() const;

signals:
    void started();                                // the progress area is reset and shown
    void clockRunning(bool running);               // the once-a-second clock starts or stops
    void convertingFile(const QString& fileNames); // of the tasks converting, comma-separated
    void outputRead(const QString& text);          // the latest read of the first such task
    void progressShown(int current, int total);
    // A task's conversion begins, and it ends: Complete with the file it wrote, Failed with
    // why, or Stopped. A task refused before any encoder starts ends without having started.
    void taskStarted(int row);
    void taskEnded(int row, TaskState state, const QString& output, const QString& reason);
    void ended(const BatchOutcome& outcome);

private:
    struct Slot
    {
        ConversionJob job;
        int row = -1; // -1 while the slot is free
        QString output;
        QString claim; // key of the empty file that holds the output's name; empty for none
        double clip = 0;
    };

    void later(void (BatchRun::*step)());
    // The row's length was read after the run began: the bars count it from now on. A run may
    // start before every file is read when no task has times of its own to keep.
    void lengthRead(int row);
    // The row joins the run's tasks and its length the total, unless it is passed over.
    void count(int row);
    // The task's new state, told to whoever follows the run.
    void end(int row, TaskState state, const QString& reason = QString());
    void fill();
    // False when the run ended instead; a task refused before its start leaves the slot free.
    bool startTask(Slot& slot, int row);
    // The task fails before any encoder starts, and the run goes on.
    void refuse(int row, const QString& reason);
    // Removes the empty file that held the output's name, unless it has changed since.
    static void releaseClaim(Slot& slot);
    void advanced();
    void taskFinished(Slot& slot, const QString& failureReason);
    void cannotStart(Slot& slot, const QString& message, const QString& reason);
    void showConverting();
    void endStopped();
    void complete();
    void finishRun(BatchOutcome outcome);
    // Ends every job; gives the rows they were converting, whose logs are kept.
    QList<int> stopJobs();
    bool anyActive() const;
    const Slot* firstActive() const;
    int tasksAtOnce() const;

    TaskRows& m_rows;
    BatchSettings m_settings;
    QString m_encoderPath;
    std::vector<std::unique_ptr<Slot>> m_slots; // only grows: a job may still be winding down
    BatchClock m_clock;
    OutputNamer m_namer;

    State m_state = Idle;
    quint64 m_generation = 0; // tells steps queued by an earlier run apart
    QString m_arguments;
    int m_next = 0;                // the next row to consider
    double m_total = 0;            // seconds of every task the run converts
    std::vector<double> m_lengths; // each row's seconds in m_total; -1 for rows passed over
    double m_done = 0;             // seconds of the tasks finished
    int m_tasks = 0;               // tasks the run converts
    int m_failed = 0;
    QList<int> m_stopped; // rows whose conversion Stop ended
    int m_currentBar = 0;
    int m_totalBar = 0;
};
