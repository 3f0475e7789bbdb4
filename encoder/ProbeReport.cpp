#include "ProbeReport.h"

#include "Text.h"

#include <cstdlib>
#include <vector>

namespace ProbeReport {

namespace {

using Stream = InputFacts::Stream;

// The window takes the path, "Duration" and the first Video line from one read of at
// most this many bytes.
constexpr std::size_t WindowRead = 4095;

std::string orNone(const std::string& value)
{
    return value.empty() ? "none" : value;
}

std::string padded(std::int64_t n, std::size_t digits)
{
    std::string text = std::to_string(n);
    if (text.size() < digits)
        text.insert(0, digits - text.size(), '0');
    return text;
}

std::string kilobits(std::int64_t bitsPerSecond)
{
    if (bitsPerSecond <= 0)
        return {};
    return std::to_string(bitsPerSecond / 1000) + " kb/s";
}

std::string joined(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

std::string videoItems(const Stream& stream)
{
    // Codec, pixel format and frame size stay plain items: the window counts commas.
    std::vector<std::string> items{orNone(stream.codec), orNone(stream.pixelFormat),
                                   std::to_string(stream.width) + 'x' +
                                       std::to_string(stream.height)};
    const double fps = stream.averageFrameRate > 0 ? stream.averageFrameRate : stream.baseFrameRate;
    // Something must follow the frame size, which the window reads up to a comma.
    items.push_back((fps > 0 ? Text::fixed(fps, 2) : "N/A") + " fps");
    return joined(items);
}

std::string audioItems(const Stream& stream)
{
    std::vector<std::string> items{orNone(stream.codec)};
    if (stream.sampleRate > 0)
        items.push_back(std::to_string(stream.sampleRate) + " Hz");
    if (!stream.channelLayout.empty())
        items.push_back(stream.channelLayout);
    else if (stream.channels > 0)
        items.push_back(std::to_string(stream.channels) + " channels");
    if (std::string bitrate = kilobits(stream.bitRate); !bitrate.empty())
        items.push_back(std::move(bitrate));
    return joined(items);
}

// Cover art is a picture, not the video; calling it Video would mislead the window.
bool isVideo(const Stream& stream)
{
    return stream.kind == Stream::Kind::Video && !stream.attachedPicture;
}

const char* kindName(const Stream& stream)
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

std::string durationText(std::optional<std::int64_t> microseconds)
{
    if (!microseconds || *microseconds < 0)
        return "N/A";
    // As ffmpeg does: add half a hundredth, then cut.
    const std::int64_t micro = *microseconds + 5000;
    const std::int64_t whole = micro / 1000000;
    return padded(whole / 3600, 2) + ':' + padded(whole / 60 % 60, 2) + ':' +
           padded(whole % 60, 2) + '.' + padded(micro % 1000000 / 10000, 2);
}

std::string startText(std::int64_t microseconds)
{
    // The sign separately: integer division drops it for starts just below zero.
    return (microseconds < 0 ? "-" : "") + std::to_string(std::llabs(microseconds / 1000000)) +
           '.' + padded(std::llabs(microseconds % 1000000), 6);
}

std::string streamLine(const Stream& stream)
{
    const std::string line = "Stream #0." + std::to_string(stream.index) + ": ";
    if (isVideo(stream))
        return line + "Video: " + videoItems(stream);
    if (stream.kind == Stream::Kind::Audio)
        return line + "Audio: " + audioItems(stream);
    return line + kindName(stream) + ": " + orNone(stream.codec);
}

std::string text(const InputFacts& facts, std::string_view path)
{
    const std::string format = facts.formatName.empty() ? "unknown" : facts.formatName;
    std::string head = "Input #0, " + format + ", from '";
    head += path;
    head += "':\n  Duration: " + durationText(facts.duration) + ",";
    if (facts.start)
        head += " start: " + startText(*facts.start) + ",";
    const std::string bitrate = kilobits(facts.bitRate);
    head += " bitrate: " + (bitrate.empty() ? "N/A" : bitrate) + "\n";

    std::string streams;
    std::string firstVideo;
    for (const Stream& stream : facts.streams) {
        const std::string line = "    " + streamLine(stream) + "\n";
        if (firstVideo.empty() && isVideo(stream))
            firstVideo = line;
        streams += line;
    }
    // Many streams could push the first Video line out of the window's single read.
    if (head.size() + streams.size() > WindowRead)
        streams = firstVideo;
    return head + streams;
}

} // namespace ProbeReport
