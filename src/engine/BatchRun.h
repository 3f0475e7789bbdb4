#pragma once

#include "engine/BatchClock.h"
#include "engine/BatchOutcome.h"
#include "engine/BatchSettings.h"
#include "engine/ConversionJob.h"
#include "engine/OutputNamer.h"
#include "engine/TaskRecord.h"

#include <QObject>

class TaskRows;

// Converts every task of the list, in list order: it hands each task to a conversion job and
// goes on when the job reports its end, so that the window is never held up. It writes each
// task's status and outcome, sums the progress for the progress area and carries out what
// follows the last task; the window shows it and knows nothing of the rules.
class BatchRun final : public QObject
{
    Q_OBJECT
public:
    enum State { Idle = 0, Converting = 1, StopRequested = 2 };

    BatchRun(TaskRows& rows, const QString& encoderPath, QObject* parent = nullptr);

    // Starts a run over the whole list with the profile's arguments and the settings as they
    // are now, and returns at once; the first task starts from the event loop. Ignored while a
    // run is active.
    void RunBatch(const QString& arguments, const BatchSettings& settings);

    // The Stop command: while converting, asks the run to stop and ends the encoder at once.
    // The run then ends stopped, from the event loop.
    void Stop();
    // Ends an active run at once and quietly, with no outcome reported: the program is closing.
    void abandon();
    // Ends the running encoder, if any.
    void StopEncoder();

    State state() const { return m_state; }
    BatchClock& clock() { return m_clock; }
    int currentPosition() const { return m_currentBar; }
    int totalPosition() const { return m_totalBar; }

signals:
    void started();                  // the progress area is reset and shown
    void clockRunning(bool running); // the once-a-second clock starts or stops
    void convertingFile(const QString& fileName);
    void outputRead(const QString& text); // the latest read's text
    void progressShown(int current, int total);
    void ended(const BatchOutcome& outcome);

private:
    void later(void (BatchRun::*step)());
    void startTask();
    void advanced();
    void taskFinished(const QString& failureReason);
    void cannotStart(const QString& message, const QString& reason);
    void endStopped();
    void complete();
    void setStatus(TaskState state, const QString& failureReason = QString());
    void finishRun(BatchOutcome outcome);

    TaskRows& m_rows;
    BatchSettings m_settings;
    QString m_encoderPath;
    ConversionJob m_job;
    BatchClock m_clock;
    OutputNamer m_namer;

    State m_state = Idle;
    quint64 m_generation = 0; // tells steps queued by an earlier run apart
    QString m_arguments;
    int m_index = 0;            // the task being converted
    QString m_output;           // the file it is converted to
    bool m_active = false;      // its encoder is running
    bool m_stoppedTask = false; // Stop ended a running task, not the wait before the next
    double m_total = 0;         // seconds of every task
    double m_done = 0;          // seconds of the tasks finished
    double m_clip = 0;          // this task's length
    int m_failed = 0;
    int m_currentBar = 0;
    int m_totalBar = 0;
};
