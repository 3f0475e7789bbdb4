#include "MediaProbe.h"

#include "engine/EncoderCommand.h"
#include "engine/TimeText.h"
#include "platform/EncoderProcess.h"

#include <QElapsedTimer>
#include <QStringDecoder>

namespace {
// Index of the first line end at or after `from`, or the text's size.
int lineEnd(const QString& text, int from)
{
    for (int i = from; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\n') || text.at(i) == QLatin1Char('\r'))
            return i;
    }
    return int(text.size());
}

// The duration after "Duration", ": " and up to ",", on that line. `after` is set to the
// position behind that "," when it was found, so the Video line is looked for past it.
QString durationText(const QString& rest, int& after)
{
    const int marker = rest.indexOf(QLatin1String("Duration"));
    if (marker < 0)
        return {};
    const int end = lineEnd(rest, marker);
    const int colon = rest.indexOf(QLatin1Char(':'), marker);
    if (colon < 0 || colon >= end)
        return {};
    const int comma = rest.indexOf(QLatin1Char(','), colon);
    if (comma < 0 || comma >= end || comma < colon + 2)
        return {};
    after = comma + 1;
    const QString text = rest.mid(colon + 2, comma - colon - 2);
    // "N/A" and the like are not durations.
    return TextToSeconds(text) < 0 ? QString() : text;
}

// The third comma item of the first "Video" line from `from` on, with its leading blank.
QString frameSizeText(const QString& rest, int from)
{
    const int marker = rest.indexOf(QLatin1String("Video"), from);
    if (marker < 0)
        return {};
    const int end = lineEnd(rest, marker);
    int at = marker;
    for (int item = 0; item < 2; ++item) {
        at = rest.indexOf(QLatin1Char(','), at);
        if (at < 0 || at >= end)
            return {};
        ++at;
    }
    const int comma = rest.indexOf(QLatin1Char(','), at);
    if (comma < 0 || comma >= end)
        return {};
    return rest.mid(at, comma - at);
}
} // namespace

MediaProbe::MediaProbe(const QString& encoderPath, OutputSink sink, int limitMs)
    : m_encoderPath(encoderPath), m_sink(std::move(sink)), m_limitMs(limitMs)
{}

bool MediaProbe::ProbeMedia(const QString& path)
{
    // A failed start must not leave the previous file's facts for this one.
    ProbeLength.clear();
    ProbeSize.clear();
    ProbeStart.clear();
    ProbeEnd.clear();

    EncoderProcess encoder;
    if (!encoder.start(m_encoderPath, ProbeCommandLine(path))) {
        m_startError = encoder.errorString();
        return false;
    }

    // The report is parsed once, whole: the path, "Duration" and the Video line may arrive
    // in different reads.
    QByteArray output;
    QStringDecoder decoder(QStringDecoder::Utf8);
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const qint64 left = m_limitMs - clock.elapsed();
        const QByteArray chunk =
            left > 0 ? encoder.read(EncoderProcess::ReadSize, int(left)) : QByteArray();
        if (chunk.isEmpty())
            break;
        output += chunk;
        // The stateful decoder keeps a character split between reads whole.
        const QString text = decoder(chunk);
        if (m_sink)
            m_sink(text);
    }
    const bool givenUp = !encoder.atEnd();
    encoder.stop();
    if (givenUp)
        return true;

    const Facts found = FactsOf(output, path);
    ProbeLength = found.length;
    ProbeSize = found.size;
    ProbeStart = found.start;
    ProbeEnd = found.end;
    return true;
}

MediaProbe::Facts MediaProbe::FactsOf(const QByteArray& output, const QString& path)
{
    const Report report = parseReport(QString::fromUtf8(output), path);
    return {report.length, report.size, QStringLiteral("00:00:00.0"), report.length};
}

MediaProbe::Report MediaProbe::parseReport(const QString& text, const QString& path)
{
    Report report;
    const int found = path.isEmpty() ? -1 : int(text.indexOf(path));
    if (found < 0)
        return report;
    const QString rest = text.mid(found + path.size());
    int videoFrom = 0;
    report.length = durationText(rest, videoFrom);
    report.size = frameSizeText(rest, videoFrom);
    return report;
}
