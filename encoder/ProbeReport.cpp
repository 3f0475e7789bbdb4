#include "ProbeReport.h"

#include <QByteArrayList>
#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>
#include <optional>

namespace ProbeReport {

namespace {

// The window takes the path, "Duration" and the first Video line from one read of at
// most this many bytes.
constexpr qsizetype WindowRead = 4095;

// ffprobe writes most numbers as strings; take either form.
std::optional<double> number(const QJsonValue& value)
{
    bool ok = value.isDouble();
    double result = value.toDouble();
    if (value.isString())
        result = value.toString().toDouble(&ok); // QString parses in the C locale
    if (!ok || !std::isfinite(result))
        return std::nullopt;
    return result;
}

QByteArray text(const QJsonValue& value, const char* fallback)
{
    const QString s = value.toString();
    return s.isEmpty() ? QByteArray(fallback) : s.toUtf8();
}

// "30000/1001" -> 29.97; nothing for "0/0".
std::optional<double> rate(const QJsonValue& value)
{
    const QStringList parts = value.toString().split(u'/');
    if (parts.size() != 2)
        return std::nullopt;
    const double num = parts[0].toDouble();
    const double den = parts[1].toDouble();
    if (num <= 0 || den <= 0)
        return std::nullopt;
    return num / den;
}

QByteArray kilobits(const QJsonValue& bitsPerSecond)
{
    const std::optional<double> bits = number(bitsPerSecond);
    if (!bits || *bits <= 0)
        return {};
    return QByteArray::number(static_cast<qint64>(*bits) / 1000) + " kb/s";
}

QByteArray videoItems(const QJsonObject& stream)
{
    // Codec, pixel format and frame size stay plain items: the window counts commas.
    QByteArrayList items{text(stream["codec_name"], "none"), text(stream["pix_fmt"], "none"),
                         QByteArray::number(stream["width"].toInt()) + 'x' +
                             QByteArray::number(stream["height"].toInt())};
    std::optional<double> fps = rate(stream["avg_frame_rate"]);
    if (!fps)
        fps = rate(stream["r_frame_rate"]);
    // Something must follow the frame size, which the window reads up to a comma.
    items << (fps ? QByteArray::number(*fps, 'f', 2) : QByteArray("N/A")) + " fps";
    return items.join(", ");
}

QByteArray audioItems(const QJsonObject& stream)
{
    QByteArrayList items{text(stream["codec_name"], "none")};
    if (const std::optional<double> hz = number(stream["sample_rate"]))
        items << QByteArray::number(static_cast<qint64>(*hz)) + " Hz";
    if (!stream["channel_layout"].toString().isEmpty())
        items << stream["channel_layout"].toString().toUtf8();
    else if (stream["channels"].toInt() > 0)
        items << QByteArray::number(stream["channels"].toInt()) + " channels";
    if (const QByteArray bitrate = kilobits(stream["bit_rate"]); !bitrate.isEmpty())
        items << bitrate;
    return items.join(", ");
}

bool isPicture(const QJsonObject& stream)
{
    return stream["disposition"].toObject()["attached_pic"].toInt() != 0;
}

// Cover art is a picture, not the video; calling it Video would mislead the window.
bool isVideo(const QJsonObject& stream)
{
    return stream["codec_type"].toString() == u"video" && !isPicture(stream);
}

QByteArray kind(const QString& codecType)
{
    if (codecType.isEmpty())
        return "Data";
    return codecType.left(1).toUpper().toUtf8() + codecType.mid(1).toUtf8();
}

} // namespace

QByteArray durationText(const QJsonValue& seconds)
{
    const std::optional<double> value = number(seconds);
    if (!value || *value < 0)
        return "N/A";
    // As ffmpeg does: add half a hundredth in microseconds, then cut.
    const qint64 micro = std::llround(*value * 1e6) + 5000;
    const qint64 whole = micro / 1000000;
    const auto twoDigits = [](qint64 n) { return QByteArray::number(n).rightJustified(2, '0'); };
    return twoDigits(whole / 3600) + ':' + twoDigits(whole / 60 % 60) + ':' +
           twoDigits(whole % 60) + '.' + twoDigits(micro % 1000000 / 10000);
}

QByteArray streamLine(const QJsonObject& stream)
{
    const QString type = stream["codec_type"].toString();
    const QByteArray line = "Stream #0." + QByteArray::number(stream["index"].toInt()) + ": ";
    if (isVideo(stream))
        return line + "Video: " + videoItems(stream);
    if (type == u"audio")
        return line + "Audio: " + audioItems(stream);
    return line + (isPicture(stream) ? QByteArray("Attachment") : kind(type)) + ": " +
           text(stream["codec_name"], "none");
}

QByteArray fromJson(const QJsonObject& root, const QByteArray& path)
{
    const QJsonObject format = root["format"].toObject();
    if (format.isEmpty())
        return {};

    QByteArray head = "Input #0, " + text(format["format_name"], "unknown") + ", from '" + path +
                      "':\n  Duration: " + durationText(format["duration"]) + ",";
    if (const std::optional<double> start = number(format["start_time"]))
        head += " start: " + QByteArray::number(*start, 'f', 6) + ",";
    const QByteArray bitrate = kilobits(format["bit_rate"]);
    head += " bitrate: " + (bitrate.isEmpty() ? QByteArray("N/A") : bitrate) + "\n";

    QByteArray streams;
    QByteArray firstVideo;
    for (const QJsonValue& value : root["streams"].toArray()) {
        const QJsonObject stream = value.toObject();
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

QByteArray fromJson(const QByteArray& json, const QByteArray& path)
{
    return fromJson(QJsonDocument::fromJson(json).object(), path);
}

} // namespace ProbeReport
