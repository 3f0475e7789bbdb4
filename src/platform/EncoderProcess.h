#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>

#include <vector>

class QProcess;

// One encoder run at a time, its standard output and error joined into one stream, followed by
// signals only, so that neither a probe nor a conversion ever holds up the window. The process
// and its pipes are released when it ends, by stop(), by the next launch and by the destructor;
// a stopped encoder still winding down is released when it has ended. The encoder never
// outlives this program, however the program ends.
class EncoderProcess final : public QObject
{
    Q_OBJECT

public:
    static constexpr int ReadSize = 4095; // the most one read delivers

    explicit EncoderProcess(QObject* parent = nullptr);
    ~EncoderProcess() override;

    // Starts the program directly (no shell) with the arguments that the command-line text
    // splits into, and returns at once. Output comes as outputArrived, one read of at most
    // ReadSize bytes each, then exactly one of finished or failedToStart (missing, not
    // executable, a folder). False, with no signal to follow, when no process could even be set
    // up (no program named).
    bool launch(const QString& program, const QString& commandLine);

    // Whether the encoder runs only on time no other process wants (off by default): for work
    // that must never slow a conversion down.
    void setBackground(bool background) { m_background = background; }

    bool isRunning() const;
    qint64 processId() const;
    // Why the last launch failed, as the system tells it; empty after a good start.
    QString errorString() const { return m_error; }

    // Ends a running encoder and returns at once; no signal follows, and the next launch may
    // come at once. Safe when nothing runs. The encoder is asked to end and given StopGraceMs to
    // clean up, then killed. Only the destructor waits for what is still winding down then, for
    // the rest of its grace, so that nothing is left running when the program closes.
    static constexpr int StopGraceMs = 2000;
    void stop();
    // Stops, and deletes this object once the encoder has wound down: for an owner that is done
    // with it and must not wait in the destructor.
    void stopAndDeleteLater();

signals:
    void outputArrived(const QByteArray& bytes);
    void finished(int exitCode, bool crashed);
    void failedToStart(const QString& reason);

private:
    void drain();
    void release();
    void settle(QProcess* process);

    struct WindingDown
    {
        QProcess* process; // a child of this object
        QDeadlineTimer grace;
    };

    QProcess* m_process = nullptr; // a child of this object
    std::vector<WindingDown> m_windingDown;
    bool m_deleteWhenSettled = false;
    bool m_delivering = false; // inside one of the process's own signals
    QString m_error;
    bool m_background = false;
};
