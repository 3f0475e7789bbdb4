#pragma once

#include "engine/OutputTail.h"
#include "engine/TaskRecord.h"
#include "platform/EncoderProcess.h"

#include <QObject>
#include <QStringDecoder>

// One task's conversion: its encoder, the reading of what the encoder writes, the position it
// has reached and how it ended. A run hands it a task at a time.
//
// Each chunk of output that arrives is one read. From the third read on, a "time" in it moves
// the position forward (never back); the first two carry the encoder's banner.
class ConversionJob final : public QObject
{
    Q_OBJECT
public:
    explicit ConversionJob(QObject* parent = nullptr);

    // Starts the encoder with the conversion's command line and returns at once. False, with no
    // signal to follow, when there is no program to start.
    bool start(const QString& encoderPath, const QString& commandLine);
    // Ends the encoder and returns at once: it is given its grace to clean up meanwhile, then
    // killed. Nothing more is reported of this conversion.
    void stop();

    bool isRunning() const { return m_running; }
    double position() const { return m_position; }
    // What the encoder wrote, progress texts left out: its last 64 kB, for the task's log.
    QString log() const { return m_log.text(); }

signals:
    void outputRead(const QString& text); // the latest read's text
    void advanced();                      // after each read from the third on
    // The encoder ended: failureReason is empty when it ended well.
    void finished(const QString& failureReason);
    void failedToStart(const QString& reason);

private:
    void read(const QByteArray& bytes);
    void ended(int exitCode, bool crashed);

    EncoderProcess m_encoder;
    OutputTail m_log{KeptEncoderOutputBytes};
    QStringDecoder m_decoder;
    int m_reads = 0;
    double m_position = 0;
    bool m_running = false;
};
