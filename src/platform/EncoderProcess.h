#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class QProcess;

// One encoder run at a time, its standard output and error joined into one stream. The
// process and its pipes are released by stop(), by the next start() and by the destructor.
class EncoderProcess final : public QObject
{
    Q_OBJECT

public:
    explicit EncoderProcess(QObject* parent = nullptr);
    ~EncoderProcess() override;

    // Starts the program directly (no shell) with the arguments that the command-line text
    // splits into. False when it cannot start: missing, not executable, a folder.
    bool start(const QString& program, const QString& commandLine);

    // Up to maxBytes of output, waiting for some. Empty once the process has ended and all
    // its output has been read; with a finite timeout also empty when nothing came in time,
    // which atEnd() tells apart.
    QByteArray read(int maxBytes = 4095, int timeoutMs = -1);
    bool atEnd() const;

    bool isRunning() const;

    // Kills a running encoder and waits for it; safe when nothing runs.
    void stop();

private:
    std::unique_ptr<QProcess> m_process;
};
