#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QProcess;

// One encoder run at a time, its standard output and error joined into one stream, followed by
// signals only, so that neither a probe nor a conversion ever holds up the window. The process
// and its pipes are released when it ends, by stop(), by the next launch and by the destructor.
// The encoder never outlives this program, however the program ends.
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

    // Ends a running encoder and waits for it; no signal follows. Safe when nothing runs. The
    // encoder is asked to end and given StopGraceMs to clean up before it is killed.
    static constexpr int StopGraceMs = 2000;
    void stop();
    // Asks a running encoder to end without waiting; stop() waits. Lets several end together.
    void askToEnd();

signals:
    void outputArrived(const QByteArray& bytes);
    void finished(int exitCode, bool crashed);
    void failedToStart(const QString& reason);

private:
    void drain();
    void release();

    QProcess* m_process = nullptr; // a child of this object
    bool m_delivering = false;     // inside one of the process's own signals
    QString m_error;
    bool m_background = false;
};
