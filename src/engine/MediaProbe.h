#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>

#include <functional>

// Asks the encoder for an input's duration and frame size. The results stay in the four
// fields until the next probe, which clears them first.
class MediaProbe final
{
public:
    using OutputSink = std::function<void(const QString&)>;

    struct Report
    {
        QString length;
        QString size;
    };

    // What a probe leaves for the task's record; all empty when it failed.
    struct Facts
    {
        QString length;
        QString size;
        QString start;
        QString end;
    };
    // The facts of a probe that ran to its end with this output.
    static Facts FactsOf(const QByteArray& output, const QString& path);

    // The sink receives the text of every read (the window shows the latest one). An encoder
    // still running after limitMs is given up on, so a hung one cannot hold the window for good.
    static constexpr int DefaultLimitMs = 30000;
    explicit MediaProbe(const QString& encoderPath, OutputSink sink = {},
                        int limitMs = DefaultLimitMs);

    // Runs the encoder on the path and waits for it to end. If it cannot be started, or is
    // given up on, all four fields stay empty. False when it could not be started, with the
    // reason in startError().
    bool ProbeMedia(const QString& path);
    const QString& startError() const { return m_startError; }

    // Duration and frame size from the encoder's report on the path. Each is empty when
    // the report does not state it: no echo of the path (matched exactly), no "Duration"
    // with a time, no "Video" line with a third item.
    static Report parseReport(const QString& text, const QString& path);

    QString ProbeLength;
    QString ProbeSize;
    QString ProbeStart;
    QString ProbeEnd;
    Facts facts() const { return {ProbeLength, ProbeSize, ProbeStart, ProbeEnd}; }

private:
    QString m_encoderPath;
    OutputSink m_sink;
    int m_limitMs;
    QString m_startError;
};

Q_DECLARE_METATYPE(MediaProbe::Facts)
