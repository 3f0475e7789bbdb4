#include "ProbeReport.h"

#include <QByteArrayList>

#include <cstdlib>

namespace ProbeReport {

namespace {

using Stream = InputFacts::Stream;

// The window takes the path, "Duration" and the first Video line from one read of at
// most this many bytes.
constexpr qsizetype WindowRead = 4095;

QByteArray orNone(const QByteArray& value)
{
    return value.isEmpty() ? QByteArray("none") : value;
}

QByteArray padded(qint64 n, int digits)
{
    return QByteArray::number(n).rightJustified(digits, '0');
}

QByteArray kilobits(qint64 bitsPerSecond)
{
    if (bitsPerSecond <= 0)
        return {};
    return QByteArray::number(bitsPerSecond / 1000) + " kb/s";
}

QByteArray videoItems(const Stream& stream)
{
    // Codec, pixel format and frame size stay plain items: the window counts commas.
    QByteArrayList items{orNone(stream.codec), orNone(stream.pixelFormat),
                         QByteArray::number(stream.width) + 'x' +
                             QByteArray::number(stream.height)};
    const double fps = stream.averageFrameRate > 0 ? stream.averageFrameRate : stream.baseFrameRate;
    // Something must follow the frame size, which the window reads up to a comma.
    items << (fps > 0 ? QByteArray::number(fps, 'f', 2) : QByteArray("N/A")) + " fps";
    return items.join(", ");
}

QByteArray audioItems(const Stream& stream)
{
    QByteArrayList items{orNone(stream.codec)};
    if (stream.sampleRate > 0)
        items << QByteArray::number(stream.sampleRate) + " Hz";
    if (!stream.channelLayout.isEmpty())
        items << stream.channelLayout;
    else if (stream.channels > 0)
        items << QByteArray::number(stream.channels) + " channels";
    if (const QByteArray bitrate = kilobits(stream.bitRate); !bitrate.isEmpty())
        items << bitrate;
    return items.join(", ");
}

// Cover art is a picture, not the video; calling it Video would mislead the window.
bool isVideo(const Stream& stream)
{
    return stream.kind == Stream::Kind::Video && !stream.attachedPicture;
}

QByteArray kindName(const Stream& stream)
{
    if (stream.attachedPicture)
        return "Attachment";
    switch (stream.kind) {
    case Stream::Kind::Video:
        return "Video";
    case Stream::Kind::Audio:
        return "Audio";
    case Stream::Kind::Subtitle:
        return "Subtitle";
    case Stream::Kind::Attachment:
        return "Attachment";
    case Stream::Kind::Data:
        break;
    }
    return "Data";
}

} // namespace

QByteArray durationText(std::optional<qint64> microseconds)
{
    if (!microseconds || *microseconds < 0)
        return "N/A";
    // As ffmpeg does: add half a hundredth, then cut.
    const qint64 micro = *microseconds + 5000;
    const qint64 whole = micro / 1000000;
    return padded(whole / 3600, 2) + ':' + padded(whole / 60 % 60, 2) + ':' +
           padded(whole % 60, 2) + '.' + padded(micro % 1000000 / 10000, 2);
}

QByteArray startText(qint64 microseconds)
{
    // The sign separately: integer division drops it for starts just below zero.
    return (microseconds < 0 ? "-" : "") + QByteArray::number(std::llabs(microseconds / 1000000)) +
           '.' + padded(std::llabs(microseconds % 1000000), 6);
}

QByteArray streamLine(const Stream& stream)
{
    const QByteArray line = "Stream #0." + QByteArray::number(stream.index) + ": ";
    if (isVideo(stream))
        return line + "Video: " + videoItems(stream);
    if (stream.kind == Stream::Kind::Audio)
        return line + "Audio: " + audioItems(stream);
    return line + kindName(stream) + ": " + orNone(stream.codec);
}

QByteArray text(const InputFacts& facts, const QByteArray& path)
{
    const QByteArray format = facts.formatName.isEmpty() ? "unknown" : facts.formatName;
    QByteArray head = "Input #0, " + format + ", from '" + path +
                      "':\n  Duration: " + durationText(facts.duration) + ",";
    if (facts.start)
        head += " start: " + startText(*facts.start) + ",";
    const QByteArray bitrate = kilobits(facts.bitRate);
    head += " bitrate: " + (bitrate.isEmpty() ? QByteArray("N/A") : bitrate) + "\n";

    QByteArray streams;
    QByteArray firstVideo;
    for (const Stream& stream : facts.streams) {
        const QByteArray line = "    " + streamLine(stream) + "\n";
        if (firstVideo.isEmpty() && isVideo(stream))
            firstVideo = line;
        streams += line;
    }
    // Many streams could push the first Video line out of the window's single read.
    if (head.size() + streams.size() > WindowRead)
        streams = firstVideo;
    return head + streams;
}

} // namespace ProbeReport
