#pragma once

#include "MessageFilter.h"
#include "ProgressTranslator.h"

#include <QByteArrayList>
#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTimer>

// The conversion form: runs ffmpeg with the window's arguments, passes its messages
// through and turns its -progress reports into the window's "time=" texts.
class ConvertCommand final : public QObject
{
    Q_OBJECT

public:
    explicit ConvertCommand(const QByteArrayList& arguments, QObject* parent = nullptr);

    // The full ffmpeg argument list for the window's arguments.
    static QStringList ffmpegArguments(const QByteArrayList& arguments);

    void start();

signals:
    void finished(int exitStatus);

private:
    void readMessages();
    void readProgress();
    void tick();
    void writeProgress();
    void ffmpegFinished(int exitCode, QProcess::ExitStatus status);
    void ffmpegFailed(QProcess::ProcessError error);

    QStringList m_arguments;
    QProcess m_ffmpeg;
    MessageFilter m_messages;
    ProgressTranslator m_progress;
    QTimer m_heartbeat;
    QElapsedTimer m_sinceProgress;
};
