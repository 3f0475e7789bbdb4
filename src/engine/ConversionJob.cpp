#include "ConversionJob.h"

#include "engine/BatchRules.h"

ConversionJob::ConversionJob(QObject* parent) : QObject(parent), m_decoder(QStringDecoder::Utf8)
{
    connect(&m_encoder, &EncoderProcess::outputArrived, this, &ConversionJob::read);
    connect(&m_encoder, &EncoderProcess::finished, this, &ConversionJob::ended);
    connect(&m_encoder, &EncoderProcess::failedToStart, this, [this](const QString& reason) {
        m_running = false;
        emit failedToStart(reason);
    });
}

bool ConversionJob::start(const QString& encoderPath, const QString& commandLine)
{
    m_reads = 0;
    m_position = 0;
    m_log.clear();
    m_decoder.resetState();
    m_running = m_encoder.launch(encoderPath, commandLine);
    return m_running;
}

void ConversionJob::stop()
{
    m_running = false;
    m_encoder.stop();
}

void ConversionJob::read(const QByteArray& bytes)
{
    const QString text = m_decoder(bytes);
    emit outputRead(text);
    m_log.add(text);
    if (m_reads++ < 2)
        return;
    if (const std::optional<double> seconds = ProgressSeconds(text);
        seconds && *seconds > m_position)
        m_position = *seconds;
    emit advanced();
}

void ConversionJob::ended(int exitCode, bool crashed)
{
    m_running = false;
    QString reason;
    if (crashed)
        reason = QStringLiteral("The encoder crashed.");
    else if (exitCode != 0)
        reason = QStringLiteral("The encoder ended with status %1.").arg(exitCode);
    // The last lines tell why; the whole log is the task's.
    const QString why = m_log.lastLines(8);
    if (!reason.isEmpty() && !why.isEmpty())
        reason += QLatin1Char('\n') + why;
    emit finished(reason);
}
