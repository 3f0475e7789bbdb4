#include "MediaProbe.h"

#include "engine/TimeText.h"

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
